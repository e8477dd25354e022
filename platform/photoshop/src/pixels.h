#pragma once
// Pictures on disk <-> layers of pixels (ImageMagick; Ghostscript for EPS).
#include <stdexcept>
#include <string>
#include <vector>

#include <Magick++.h>

namespace photoshop::detail {

struct Layer {
  std::string name;
  Magick::Image pixels;  // RGBA, the document's size
  bool background = false;
  long id = 0;
};

// A file the editor cannot read or write; what() says why.
class PixelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The layers of a picture file, bottom to top. A flat picture without
// transparency opens as a background layer, one with transparency as a
// normal layer; a layered document keeps its layers; EPS is rasterised at
// `epsResolution` pixels per inch onto a transparent canvas.
std::vector<Layer> LoadLayers(const std::string& posixPath, double epsResolution);

// The layers merged bottom to top (transparent where nothing covers).
Magick::Image Composite(const std::vector<Layer>& layers);

// A layered document with every layer and its name.
void WriteLayeredPsd(const std::string& posixPath, const std::vector<Layer>& layers);

// A flat picture. `magickFormat`: "TIFF", "BMP3", "JPEG", "PNG", "TGA".
struct FlatFormat {
  std::string magickFormat;
  bool keepTransparency = false;  // else flattened onto white
  int quality = 0;                // JPEG, 1..100
  bool littleEndian = true;       // TIFF byte order
  bool interlaced = false;        // PNG
};
void WriteFlat(const std::string& posixPath, const std::vector<Layer>& layers, const FlatFormat& format);

// A transparent layer of the given size.
Magick::Image EmptyPixels(size_t width, size_t height);

}  // namespace photoshop::detail
