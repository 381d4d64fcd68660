#include "escape_grid.h"

#include <exception>
#include <system_error>
#include <thread>

namespace vorpane {

escape_grid::escape_grid(float x0_, float y0_, float x1_, float y1_, std::int32_t columns_, std::int32_t rows_)
    : x0(x0_), y0(y0_), x1(x1_), y1(y1_), columns(columns_), rows(rows_)
{
    cells.resize(static_cast<std::size_t>(columns));

    // The real parts are accumulated column by column, so they are fixed before any column is built.
    std::vector<float> column_x(cells.size());
    const float dx = (x1 - x0) / static_cast<float>(columns - 1);
    float x = x0;
    for (float& cx : column_x) {
        cx = x;
        x += dx;
    }

    const float dy = (y1 - y0) / static_cast<float>(rows - 1);
    auto build = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            auto& column = cells[i];
            column.resize(static_cast<std::size_t>(rows));
            float y = y0;
            for (auto& cell : column) {
                cell.begin_at({column_x[i], y});
                y += dy;
            }
        }
    };

    // Building is mostly first touches of fresh memory and four logarithms per cell; a second
    // thread takes half the columns and roughly halves the start-up time.
    const std::size_t half = cells.size() / 2;
    std::exception_ptr helper_failure;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                build(half, cells.size());
            } catch (...) {
                helper_failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        build(half, cells.size());
    }
    try {
        build(0, half);
    } catch (...) {
        if (helper.joinable()) {
            helper.join();
        }
        throw;
    }
    if (helper.joinable()) {
        helper.join();
    }
    if (helper_failure) {
        std::rethrow_exception(helper_failure);
    }
}

void escape_grid::pass()
{
    if (pass_count >= max_passes) {
        return;
    }
    ++pass_count;
    for (auto& column : cells) {
        for (auto& cell : column) {
            if (cell.bounded()) {
                cell.advance();
            }
        }
    }
    column_cursor = 0;
}

void escape_grid::progress(double t)
{
    if (pass_count >= max_passes) {
        return;
    }
    while (column_cursor < columns &&
           static_cast<double>(column_cursor) / static_cast<double>(columns) < t) {
        for (auto& cell : cells[static_cast<std::size_t>(column_cursor)]) {
            if (cell.bounded()) {
                cell.compute_next();
            }
        }
        ++column_cursor;
    }
}

} // namespace vorpane
