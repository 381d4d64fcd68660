#include "fractal_texture.h"

#include "hsv_to_rgb.h"

#include <cmath>

namespace vorpane {

namespace {

constexpr double pi = 3.141592653589793;

} // namespace

fractal_texture::fractal_texture(const escape_grid& grid_)
    : grid(&grid_),
      texture_width(texture_extent(grid_.columns)),
      texture_height(texture_extent(grid_.rows)),
      s_max(static_cast<float>(grid_.columns) / static_cast<float>(texture_width)),
      t_max(static_cast<float>(grid_.rows) / static_cast<float>(texture_height)),
      palette(fill_palette())
{
    const std::size_t size = static_cast<std::size_t>(grid_.columns) * static_cast<std::size_t>(grid_.rows);
    for (auto& image : buffers) {
        image.assign(size, colour{0, 0, 0, 0});
    }
    create_texture_object();
    rebuild();
}

std::int32_t fractal_texture::texture_extent(std::int32_t n)
{
    std::int32_t extent = 2;
    while (extent < n) {
        extent *= 2;
    }
    return extent;
}

std::vector<colour> fractal_texture::fill_palette()
{
    std::vector<colour> entries(palette_size, colour{0, 0, 0, 0});
    for (int n = 0; n < escape_grid::max_passes; ++n) {
        const double t = n / static_cast<double>(escape_grid::max_passes);
        const double hue = 1.0 - t;
        const double saturation = 0.7 + 0.2 * std::sin(6.0 * pi * t);
        const double value = 0.4 + 0.2 * (1.0 - t) * std::cos(6.0 * pi * t);
        hsv_to_rgb(hue, saturation, value, entries[static_cast<std::size_t>(n)]);
        entries[static_cast<std::size_t>(n)].a = 255;
    }
    // Cells still bounded after every pass stay transparent: entries.back() is all zero.
    return entries;
}

void fractal_texture::colour_cells(std::vector<colour>& image) const
{
    const std::int32_t columns = grid->columns;
    const std::int32_t rows = grid->rows;
    // Walk the cells in storage order (column by column) and scatter into rows: the cells are
    // far larger than the image, so reading them sequentially is what keeps this fast.
    for (std::int32_t i = 0; i < columns; ++i) {
        const auto& column = grid->cells[static_cast<std::size_t>(i)];
        colour* out = image.data() + static_cast<std::size_t>(rows - 1) * columns + i;
        for (std::int32_t j = 0; j < rows; ++j, out -= columns) {
            *out = palette[static_cast<std::size_t>(column[static_cast<std::size_t>(j)].count)];
        }
    }
}

void fractal_texture::rebuild()
{
    colour_cells(buffers[back]);
    const unsigned previous = exchange.exchange(back | fresh_bit, std::memory_order_acq_rel);
    back = previous & index_mask;
}

const std::vector<colour>& fractal_texture::latest_image() const
{
    const unsigned current = exchange.load(std::memory_order_acquire);
    return (current & fresh_bit) != 0 ? buffers[current & index_mask] : buffers[front];
}

} // namespace vorpane
