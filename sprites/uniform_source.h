// The process-wide source of uniform reals in [0, 1) that gives each scene its randomness.
// One MT19937 generator, so a given seed gives a given scene. GUI thread only (the scene's
// construction); the worker never draws from it.
#pragma once

#include <cstdint>

namespace vorpane::uniform_source {

// Seeds the generator; the saver seeds it once, with seed_from_clock, before the scene is built.
void seed(std::uint32_t value);
// The current time in whole seconds since 1970, low 32 bits: the saver's seed.
std::uint32_t clock_seed();
// One 32-bit output times 2^-32, drawn again should the product reach 1.
double draw();

} // namespace vorpane::uniform_source
