#pragma once
// Pictures on disk <-> layers of pixels (ImageMagick; Ghostscript for EPS).
#include <string>
#include <vector>

#include <Magick++.h>

#include "layer_pixels.h"
#include "pixel_error.h"

namespace photoshop::detail {

// The layers of a picture file, bottom to top. A flat picture without
// transparency opens as a background layer, one with transparency as a
// normal layer; a layered document keeps its layers; EPS is rasterised at
// `epsResolution` pixels per inch onto a transparent canvas.
std::vector<Layer> LoadLayers(const std::string& posixPath, double epsResolution);

// The layers merged bottom to top (transparent where nothing covers).
Magick::Image Composite(const std::vector<Layer>& layers);

// A layered document with every layer and its name, through a temporary file
// beside the target.
void WriteLayeredPsd(const std::string& posixPath, const std::vector<Layer>& layers);

// A flat picture, through a temporary file beside the target.
// `magickFormat`: "TIFF", "BMP3", "JPEG", "PNG", "TGA".
struct FlatFormat {
  std::string magickFormat;
  bool keepTransparency = false;  // else flattened onto white
  int quality = 0;                // JPEG, 1..100
  bool littleEndian = true;       // TIFF byte order
  bool interlaced = false;        // PNG
};
void WriteFlat(const std::string& posixPath, const std::vector<Layer>& layers, const FlatFormat& format);

}  // namespace photoshop::detail
