#include "arx/plotdevices.h"

#include <algorithm>
#include <cctype>

namespace arx {
namespace {

PlotMedium pixels(const std::string& label, int width, int height) {
  std::string size = std::to_string(width) + ".00_x_" + std::to_string(height) + ".00_Pixels";
  PlotMedium medium{label + "_(" + size + ")", "", width, height};
  medium.localeName = medium.canonicalName;
  std::replace(medium.localeName.begin(), medium.localeName.end(), '_', ' ');
  return medium;
}

std::vector<PlotMedium> screenMedia() {
  return {pixels("VGA", 640, 480),      pixels("SVGA", 800, 600),
          pixels("XGA", 1024, 768),     pixels("SXGA", 1280, 1024),
          pixels("UXGA", 1600, 1200),   pixels("Sun_Hi-Res", 1280, 1600)};
}

std::vector<PlotMedium> paperMedia() {
  return {{"ISO_A4_(297.00_x_210.00_MM)", "ISO A4 (297.00 x 210.00 MM)", 842, 595},
          {"ISO_A3_(420.00_x_297.00_MM)", "ISO A3 (420.00 x 297.00 MM)", 1191, 842},
          {"ANSI_A_(11.00_x_8.50_Inches)", "ANSI A (11.00 x 8.50 Inches)", 792, 612}};
}

bool equalNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

const std::vector<PlotDevice>& plotDevices() {
  static const std::vector<PlotDevice> devices{
      {"None", PlotFormat::None, {{"none_user_media", "None", 0, 0}}},
      {"PublishToWeb PNG.pc3", PlotFormat::Png, screenMedia()},
      {"PublishToWeb JPG.pc3", PlotFormat::Jpg, screenMedia()},
      {"TIFF Version 6 (Uncompressed).pc3", PlotFormat::Tif, screenMedia()},
      {"PostScript Level 2.pc3", PlotFormat::Eps, paperMedia()},
  };
  return devices;
}

const PlotDevice* findPlotDevice(std::string_view name) {
  for (const PlotDevice& device : plotDevices())
    if (equalNoCase(device.name, name)) return &device;
  return nullptr;
}

const PlotMedium* findPlotMedium(const PlotDevice& device, std::string_view name) {
  for (const PlotMedium& medium : device.media)
    if (medium.canonicalName == name || medium.localeName == name) return &medium;
  return nullptr;
}

std::string_view plotFileExtension(PlotFormat format) {
  switch (format) {
    case PlotFormat::Png: return "png";
    case PlotFormat::Jpg: return "jpg";
    case PlotFormat::Tif: return "tif";
    case PlotFormat::Eps: return "eps";
    case PlotFormat::None: break;
  }
  return "";
}

}  // namespace arx
