#pragma once
// The pictures of module resources as pixels: BMP and ICO files decoded to
// RGBA, for the windows to paint. Any bytes may come in; what is not a
// picture of a supported kind, or is larger than a window could show, gives
// nothing.
#include <optional>
#include <string>
#include <vector>

namespace ui::windowed {

struct Pixels {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;  // rows top to bottom, 4 bytes a pixel
};

// The largest side a decoded picture may have.
inline constexpr int kLargestPictureSide = 4096;

// A BMP file (1, 4, 8, 24 or 32 bits a pixel, uncompressed; rows bottom-up
// or top-down), or the image of an ICO file whose width is nearest to
// `wantedWidth` (deepest colours first among equals; 32-bit images keep
// their alpha, others take the icon's mask).
std::optional<Pixels> DecodePicture(const std::string& bytes, int wantedWidth);

}  // namespace ui::windowed
