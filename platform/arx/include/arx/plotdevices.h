#pragma once
// The plot devices this editor knows, with their media. Raster devices
// measure media in pixels and also take a size of the user's, 1 x 1 to
// 16000 x 16000 pixels; the PostScript device measures its sheets in points
// (1/72 inch), which is also the pixel size of its preview and of a 72 dpi
// rasterisation.
#include <optional>
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
  bool takesUserSizes = false;    // a size in pixels of the user's
};

// The sizes a raster device takes, in pixels on each side.
inline constexpr int kSmallestUserSize = 1;
inline constexpr int kLargestUserSize = 16000;

// Every device, "None" first.
const std::vector<PlotDevice>& plotDevices();
// The device of that name (case-insensitive, as file names on Windows), or null.
const PlotDevice* findPlotDevice(std::string_view name);
// The medium of `device` with that canonical or locale name; on a device that
// takes user sizes also a size in pixels: "6622 x 4677 Pixels", "6622x4677",
// or the medium's own names "User (6622.00 x 4677.00 Pixels)" and
// "User_(6622.00_x_4677.00_Pixels)". Empty when there is none, with the
// reason in `error` when it is given.
std::optional<PlotMedium> findPlotMedium(const PlotDevice& device, std::string_view name, std::string* error = nullptr);
// The medium of a user size, named as the editor names it.
PlotMedium userMedium(int width, int height);
// "png", "jpg", "tif", "eps"; empty for PlotFormat::None.
std::string_view plotFileExtension(PlotFormat format);

}  // namespace arx
