#include "uniform_source.h"

#include <chrono>
#include <random>

namespace vorpane::uniform_source {

namespace {

std::mt19937& generator()
{
    static std::mt19937 instance;
    return instance;
}

} // namespace

void seed(std::uint32_t value) { generator().seed(value); }

std::uint32_t clock_seed()
{
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds));
}

double draw()
{
    for (;;) {
        const double value = static_cast<double>(generator()()) * (1.0 / 4294967296.0);
        if (value < 1.0) {
            return value;
        }
    }
}

} // namespace vorpane::uniform_source
