// Reading and writing pictures as files (Qt's image codecs).
#pragma once

#include <string>

#include "render.h"

namespace render {

// Writes a 24-bit picture; the format follows the extension (".bmp", ".png"),
// whatever its case.
bool save_image(const Image& img, const std::string& path);
bool load_image(const std::string& path, Image& img);

}  // namespace render
