// Writes an RGBA image as a PNG file, whole or not at all.
// Any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorpane {

// rgba holds width x height pixels, bottom row first as GL reads them; the file gets them top row
// first. The image goes to a temporary file beside path, which is renamed over path only once it
// is complete. Returns an empty string on success, otherwise what went wrong.
std::string write_png_file(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);

} // namespace vorpane
