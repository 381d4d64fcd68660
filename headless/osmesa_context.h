// An offscreen OpenGL context on Mesa's OSMesa, for tests and the snapshot tool.
// Renders into memory owned by the context; no window system is involved.
// Use it from the thread that created it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorpane {

class osmesa_context {
public:
    // Makes a width x height RGBA context current. Throws std::runtime_error when Mesa cannot make
    // one or the size is beyond what its GL renders.
    osmesa_context(int width, int height);
    ~osmesa_context();
    osmesa_context(const osmesa_context&) = delete;
    osmesa_context& operator=(const osmesa_context&) = delete;

    void make_current();
    // Renders into a new width x height framebuffer from now on; the context and everything made
    // in it (textures, display lists) stay.
    void resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    // glFinish, then a copy of the framebuffer as RGBA bytes, bottom row first (GL's own order).
    std::vector<std::uint8_t> read_pixels();
    // glFinish, then the framebuffer itself, in the same layout; it stays valid while the context
    // lives and changes with the next drawing.
    std::vector<std::uint8_t>& finished_framebuffer();

private:
    struct impl;
    std::unique_ptr<impl> impl_;
    int width_;
    int height_;
};

} // namespace vorpane
