// Shows an escape_grid as one textured rectangle coloured by escape count.
// rebuild runs on the worker thread, everything else on the GUI thread with the GL context current;
// finished images pass from rebuild to draw without a lock, through a three-buffer exchange.
#pragma once

#include "colour.h"
#include "escape_grid.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace vorpane {

class fractal_texture {
public:
    static constexpr int palette_size = escape_grid::max_passes + 1;

    // Needs the GL context current: creates and defines the texture object.
    explicit fractal_texture(const escape_grid& grid);
    fractal_texture(const fractal_texture&) = delete;
    fractal_texture& operator=(const fractal_texture&) = delete;

    // Worker: recolours a whole image from the cell counts and hands it over for the next draw.
    void rebuild();
    // GUI: uploads the newest finished image if there is one, then draws the rectangle at z = 0.
    void draw();
    // A finished image waits for upload.
    bool dirty() const { return (exchange.load(std::memory_order_acquire) & fresh_bit) != 0; }
    // The image the next draw will show. Only for a caller that knows no rebuild is running.
    const std::vector<colour>& latest_image() const;

    // Smallest power of two, at least 2, that holds n.
    static std::int32_t texture_extent(std::int32_t n);
    static std::vector<colour> fill_palette();

    const escape_grid* grid;
    std::int32_t display_width = escape_grid::default_columns;
    std::int32_t display_height = escape_grid::default_rows;
    std::uint32_t texture_name = 0;
    std::int32_t texture_width;
    std::int32_t texture_height;
    float s_max;
    float t_max;
    const std::vector<colour> palette;

private:
    static constexpr unsigned index_mask = 3u;
    static constexpr unsigned fresh_bit = 4u;

    void create_texture_object();
    void colour_cells(std::vector<colour>& image) const;

    // Three images: the worker writes buffers[back], the GUI uploads buffers[front], and the third,
    // named by exchange, holds the newest finished image (fresh_bit set until the GUI takes it).
    std::array<std::vector<colour>, 3> buffers;
    unsigned back = 0;
    unsigned front = 1;
    std::atomic<unsigned> exchange{2};
};

} // namespace vorpane
