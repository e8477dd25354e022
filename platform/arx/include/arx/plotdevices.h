#pragma once
// The plot devices this editor knows, with their media. Raster devices
// measure media in pixels; the PostScript device in points (1/72 inch), which
// is also the pixel size of its preview and of a 72 dpi rasterisation.
#include <string>
#include <string_view>
#include <vector>

namespace arx {

enum class PlotFormat { None, Png, Jpg, Tif, Eps };

struct PlotMedium {
  std::string canonicalName;  // "VGA_(640.00_x_480.00_Pixels)"
  std::string localeName;     // "VGA (640.00 x 480.00 Pixels)"
  int width = 0;              // pixels
  int height = 0;
};

struct PlotDevice {
  std::string name;  // the plot configuration name, e.g. "PublishToWeb PNG.pc3"
  PlotFormat format = PlotFormat::None;
  std::vector<PlotMedium> media;  // the first one is the device's default
};

// Every device, "None" first.
const std::vector<PlotDevice>& plotDevices();
// The device of that name (case-insensitive, as file names on Windows), or null.
const PlotDevice* findPlotDevice(std::string_view name);
// The medium of `device` with that canonical or locale name, or null.
const PlotMedium* findPlotMedium(const PlotDevice& device, std::string_view name);
// "png", "jpg", "tif", "eps"; empty for PlotFormat::None.
std::string_view plotFileExtension(PlotFormat format);

}  // namespace arx
