// The worker rebuilds the image while the GUI thread uploads it: every upload must show one whole image.
#include "fractal_texture.h"
#include "gl_api.h"
#include "osmesa_context.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using vorpane::colour;
using vorpane::escape_grid;
using vorpane::fractal_texture;

namespace {

TEST(TextureHandover, EveryUploadIsOneCompleteImage)
{
    constexpr int columns = 64;
    constexpr int rows = 32;
    escape_grid grid(-2.1f, -1.2f, 0.8f, 1.2f, columns, rows);

    vorpane::osmesa_context context(columns, rows);
    glViewport(0, 0, columns, rows);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, columns, 0, rows, -1, 1);
    fractal_texture texture(grid);
    texture.display_width = columns;
    texture.display_height = rows;

    std::atomic<bool> stop{false};
    // The writer owns the grid, as the worker does: it paints every cell with one count per image.
    std::thread writer([&] {
        for (int image = 1; !stop.load(); ++image) {
            for (auto& column : grid.cells) {
                for (auto& cell : column) {
                    cell.count = image % escape_grid::max_passes;
                }
            }
            texture.rebuild();
        }
    });

    int uploads_checked = 0;
    int distinct_images = 0;
    colour last{0, 0, 0, 0};
    // Run until enough handovers were seen, however the two threads happen to be scheduled.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (int frame = 0; (frame < 300 || uploads_checked <= 10 || distinct_images <= 10) &&
                        std::chrono::steady_clock::now() < deadline;
         ++frame) {
        const bool fresh = texture.dirty();
        texture.draw();
        const std::vector<std::uint8_t> pixels = context.read_pixels();
        const colour first{pixels[0], pixels[1], pixels[2], pixels[3]};
        for (std::size_t i = 0; i < pixels.size(); i += 4) {
            const colour c{pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
            ASSERT_EQ(c, first) << "torn image at pixel " << i / 4 << " of frame " << frame;
        }
        bool in_palette = false;
        for (const colour p : texture.palette) {
            in_palette = in_palette || p == first;
        }
        ASSERT_TRUE(in_palette);
        uploads_checked += fresh;
        distinct_images += first != last;
        last = first;
    }
    stop.store(true);
    writer.join();
    EXPECT_GT(uploads_checked, 10);
    EXPECT_GT(distinct_images, 10);
}

} // namespace
