#include "arx/plotdevices.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

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

// "ISO A1 (841.00 x 594.00 MM)" and its canonical name with underscores.
PlotMedium sheet(const std::string& label, double width, double height, const char* unit, double pointsPerUnit) {
  char size[64];
  std::snprintf(size, sizeof size, "(%.2f x %.2f %s)", width, height, unit);
  PlotMedium medium{"", label + " " + size, static_cast<int>(std::lround(width * pointsPerUnit)),
                    static_cast<int>(std::lround(height * pointsPerUnit))};
  medium.canonicalName = medium.localeName;
  std::replace(medium.canonicalName.begin(), medium.canonicalName.end(), ' ', '_');
  return medium;
}

// Landscape sheets: ISO A4 to A0 and ANSI A to E. The three sheets offered
// first keep their places, so answers that pick a sheet by its place stay valid.
std::vector<PlotMedium> paperMedia() {
  constexpr double kPointsPerMm = 72 / 25.4, kPointsPerInch = 72;
  auto iso = [&](int n, double w, double h) { return sheet("ISO A" + std::to_string(n), w, h, "MM", kPointsPerMm); };
  auto ansi = [&](char c, double w, double h) { return sheet(std::string("ANSI ") + c, w, h, "Inches", kPointsPerInch); };
  return {iso(4, 297, 210),  iso(3, 420, 297),  ansi('A', 11, 8.5), iso(2, 594, 420), iso(1, 841, 594),
          iso(0, 1189, 841), ansi('B', 17, 11), ansi('C', 22, 17),  ansi('D', 34, 22), ansi('E', 44, 34)};
}

// "6622 x 4677", "6622.00_x_4677.00_Pixels", "User (6622 x 4677 Pixels)":
// the two numbers, or false when the text is no size in pixels. A number
// may end in ".00" but is whole.
bool parsePixelSize(std::string text, double& width, double& height) {
  std::replace(text.begin(), text.end(), '_', ' ');
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  size_t at = lower.find_first_not_of(' ');
  if (lower.compare(at, 4, "user") == 0) {  // the medium's own name
    at = lower.find_first_not_of(' ', at + 4);
    if (at == std::string::npos || lower[at] != '(' || lower.back() != ')') return false;
    lower = lower.substr(at + 1, lower.size() - at - 2);
  }
  char unit[16] = "";
  int consumed = 0;
  const int read = std::sscanf(lower.c_str(), " %lf x %lf %15s %n", &width, &height, unit, &consumed);
  if (read == 2) {
    std::sscanf(lower.c_str(), " %lf x %lf %n", &width, &height, &consumed);
  } else if (read != 3 || std::string(unit) != "pixels") {
    return false;
  }
  return consumed == static_cast<int>(lower.size());
}

std::optional<PlotMedium> userSize(const PlotDevice& device, std::string_view name, std::string* error) {
  double width = 0, height = 0;
  if (!parsePixelSize(std::string(name), width, height)) return std::nullopt;
  auto refuse = [&](const std::string& why) -> std::optional<PlotMedium> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (width != std::floor(width) || height != std::floor(height))
    return refuse("A size in pixels is whole pixels, not \"" + std::string(name) + "\"");
  if (width < kSmallestUserSize || height < kSmallestUserSize || width > kLargestUserSize || height > kLargestUserSize)
    return refuse("The plot device \"" + device.name + "\" takes sizes from " + std::to_string(kSmallestUserSize) + " x " +
                  std::to_string(kSmallestUserSize) + " to " + std::to_string(kLargestUserSize) + " x " +
                  std::to_string(kLargestUserSize) + " pixels, not \"" + std::string(name) + "\"");
  return userMedium(static_cast<int>(width), static_cast<int>(height));
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
      {"PublishToWeb PNG.pc3", PlotFormat::Png, screenMedia(), true},
      {"PublishToWeb JPG.pc3", PlotFormat::Jpg, screenMedia(), true},
      {"TIFF Version 6 (Uncompressed).pc3", PlotFormat::Tif, screenMedia(), true},
      {"PostScript Level 2.pc3", PlotFormat::Eps, paperMedia()},
  };
  return devices;
}

const PlotDevice* findPlotDevice(std::string_view name) {
  for (const PlotDevice& device : plotDevices())
    if (equalNoCase(device.name, name)) return &device;
  return nullptr;
}

std::optional<PlotMedium> findPlotMedium(const PlotDevice& device, std::string_view name, std::string* error) {
  for (const PlotMedium& medium : device.media)
    if (medium.canonicalName == name || medium.localeName == name) return medium;
  if (device.takesUserSizes) {
    std::string why;
    if (auto medium = userSize(device, name, &why)) return medium;
    if (!why.empty()) {
      if (error) *error = why;
      return std::nullopt;
    }
  }
  if (error) *error = "The plot device \"" + device.name + "\" has no paper \"" + std::string(name) + "\"";
  return std::nullopt;
}

PlotMedium userMedium(int width, int height) {
  return pixels("User", width, height);
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
