#include <pictures/picture_file.h>

#include "arx/plot.h"

namespace arx {

std::optional<PlotPicture> readPlotPicture(const std::string& path) {
  try {
    Magick::Image image = pictures::ReadPicture(path);
    PlotPicture picture;
    picture.width = static_cast<int>(image.columns());
    picture.height = static_cast<int>(image.rows());
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    image.write(0, 0, picture.width, picture.height, "RGB", Magick::CharPixel, picture.rgb.data());
    return picture;
  } catch (const std::exception&) {  // no picture, damaged or beyond the limits
    return std::nullopt;
  }
}

}  // namespace arx
