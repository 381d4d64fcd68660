#include "png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace vorpane {

std::string write_png_file(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba)
{
    const std::string temporary = path + ".tmp-" + std::to_string(::getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return std::strerror(errno);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // A negative stride walks the rows from the last in memory, the top of the picture.
    const png_int_32 stride = -static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(image));
    const bool written = png_image_write_to_stdio(&image, file, 0, rgba.data(), stride, nullptr) != 0;
    std::string error = written ? std::string() : std::string(image.message);
    if (std::fflush(file) != 0 && error.empty()) {
        error = std::strerror(errno);
    }
    if (::fsync(::fileno(file)) != 0 && error.empty() && errno != EINVAL) {
        error = std::strerror(errno);
    }
    if (std::fclose(file) != 0 && error.empty()) {
        error = std::strerror(errno);
    }
    if (error.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
    }
    if (!error.empty()) {
        std::remove(temporary.c_str());
    }
    return error;
}

} // namespace vorpane
