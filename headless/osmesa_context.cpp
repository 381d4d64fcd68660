#include "osmesa_context.h"

#include <GL/osmesa.h>

#include <stdexcept>

namespace vorpane {

struct osmesa_context::impl {
    OSMesaContext context = nullptr;
    std::vector<std::uint8_t> buffer;

    ~impl()
    {
        if (context == nullptr) {
            return;
        }
        if (OSMesaGetCurrentContext() == context) {
            OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
        }
        OSMesaDestroyContext(context);
    }
};

osmesa_context::osmesa_context(int width, int height) : impl_(std::make_unique<impl>()), width_(width), height_(height)
{
    if (width <= 0 || height <= 0) {
        throw std::runtime_error("size must be positive");
    }
    impl_->context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    if (impl_->context == nullptr) {
        throw std::runtime_error("Mesa could not create an offscreen context");
    }
    // Ask the limits on a one-pixel buffer first, so that an impossible size is refused before its
    // memory is allocated.
    impl_->buffer.resize(4);
    if (!OSMesaMakeCurrent(impl_->context, impl_->buffer.data(), GL_UNSIGNED_BYTE, 1, 1)) {
        throw std::runtime_error("Mesa could not make the offscreen context current");
    }
    GLint max_width = 0;
    GLint max_height = 0;
    OSMesaGetIntegerv(OSMESA_MAX_WIDTH, &max_width);
    OSMesaGetIntegerv(OSMESA_MAX_HEIGHT, &max_height);
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    if (width > max_width || height > max_height || width > viewport[0] || height > viewport[1]) {
        throw std::runtime_error("size " + std::to_string(width) + "x" + std::to_string(height) +
                                 " is larger than Mesa renders (" + std::to_string(viewport[0]) + "x" +
                                 std::to_string(viewport[1]) + ")");
    }
    impl_->buffer.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    make_current();
}

osmesa_context::~osmesa_context() = default;

void osmesa_context::make_current()
{
    if (!OSMesaMakeCurrent(impl_->context, impl_->buffer.data(), GL_UNSIGNED_BYTE, width_, height_)) {
        throw std::runtime_error("Mesa could not make the offscreen context current");
    }
}

void osmesa_context::resize(int width, int height)
{
    if (width <= 0 || height <= 0) {
        throw std::runtime_error("size must be positive");
    }
    glFinish();
    impl_->buffer.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    width_ = width;
    height_ = height;
    make_current();
}

std::vector<std::uint8_t>& osmesa_context::finished_framebuffer()
{
    glFinish();
    return impl_->buffer;
}

std::vector<std::uint8_t> osmesa_context::read_pixels()
{
    glFinish();
    std::vector<std::uint8_t> pixels(impl_->buffer.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

} // namespace vorpane

// NOTE: Mesa keeps per-process state that it never frees (its screen, the LLVM JIT), so
// LeakSanitizer reports it at exit in every sanitizer build that makes a context. Those reports
// are Mesa's, not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libOSMesa.so\nleak:libLLVM\nleak:libgallium\n";
}
