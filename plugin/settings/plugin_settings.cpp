#include "settings/plugin_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "frame/file_exists.h"
#include "frame/message_box.h"
#include "frame/profile_file.h"
#include "frame/text.h"

PluginSettings theSettings;

namespace {

constexpr const char* kGroupGraphic = "SETTINGS_GROUP_GRAPHIC";
constexpr const char* kGroupImage = "SETTINGS_GROUP_IMAGE";
constexpr const char* kGroupPostscript = "SETTINGS_GROUP_POSTSCRIPT";

// Index 0 is never used.
constexpr const char* kProgramNames[] = {"", "Photoshop", "Gimp"};
constexpr const char* kFormatNames[] = {"", "BMP", "JPG", "PNG", "TGA", "TIF"};
constexpr const char* kUnitNames[] = {"", "Pixel/inch", "Pixel/cm"};

// Lowest resolutions per unit, and what replaces a lower one.
constexpr double kLowestPerInch = 1.0, kFallbackPerInch = 72.0;
constexpr double kLowestPerCm = 0.393, kFallbackPerCm = 28.0;

const char* NameAt(const char* const* names, int count, int index) {
  return index >= 1 && index <= count ? names[index] : "";
}

// The first index whose name equals `value` in any letter case, else `fallback`.
int IndexOf(const char* const* names, int count, const std::string& value, int fallback) {
  for (int i = 1; i <= count; ++i)
    if (EqualsNoCase(names[i], value)) return i;
  return fallback;
}

const char* OnOff(bool flag) { return flag ? "On" : "Off"; }

// A resolution below the unit's limit, or one that is no finite number
// ("nan", "inf"), gives the unit's usual resolution.
double LimitedResolution(double resolution, ResolutionUnit unit) {
  const bool perCm = unit == kUnitPixelPerCm;
  const double lowest = perCm ? kLowestPerCm : kLowestPerInch;
  if (std::isfinite(resolution) && resolution >= lowest) return resolution;
  return perCm ? kFallbackPerCm : kFallbackPerInch;
}

}  // namespace

const char* ProgramKindName(int program) { return NameAt(kProgramNames, kProgramKindCount, program); }
const char* ImageFormatName(int format) { return NameAt(kFormatNames, kImageFormatCount, format); }
const char* ResolutionUnitName(int unit) { return NameAt(kUnitNames, kResolutionUnitCount, unit); }

void PluginSettings::LoadSettings(CWinApp& app) {
  BorrowedProfileFile profile(app, iniFile);
  auto read = [&](const char* group, const char* key, const char* fallback) {
    return app.GetProfileString(group, key, fallback);
  };
  program = static_cast<ProgramKind>(
      IndexOf(kProgramNames, kProgramKindCount, read(kGroupGraphic, "Program", "Photoshop"), kProgramPhotoshop));
  gimpExecutable = read(kGroupGraphic, "GimpFilePath", "");
  if (!FileExists(gimpExecutable)) gimpExecutable.clear();
  layerKey = read(kGroupImage, "LayerKey", "");
  imageFormat = static_cast<ImageFormat>(
      IndexOf(kFormatNames, kImageFormatCount, read(kGroupImage, "Format", "Tif"), kFormatTif));
  transparency = !EqualsNoCase(read(kGroupImage, "Transparency", "On"), "Off");
  frame = EqualsNoCase(read(kGroupImage, "Frame", "Off"), "On");
  background = !EqualsNoCase(read(kGroupImage, "Background", "On"), "Off");
  // The unit comes first: the resolution's lower limit depends on it.
  resolutionUnit = static_cast<ResolutionUnit>(IndexOf(
      kUnitNames, kResolutionUnitCount, read(kGroupPostscript, "ResolutionUnits", "Pixel/inch"), kUnitPixelPerInch));
  const double resolution = std::strtod(read(kGroupPostscript, "ResolutionXY", "72").c_str(), nullptr);
  psResolution = LimitedResolution(resolution, resolutionUnit);
}

void PluginSettings::SaveSettings(CWinApp& app) {
  bool saved = true;
  {
    BorrowedProfileFile profile(app, iniFile);
    auto write = [&](const char* group, const char* key, const char* value) {
      saved = app.WriteProfileString(group, key, value) && saved;
    };
    write(kGroupGraphic, "Program", ProgramKindName(program));
    write(kGroupGraphic, "GimpFilePath", gimpExecutable.c_str());
    write(kGroupImage, "LayerKey", layerKey.c_str());
    write(kGroupImage, "Transparency", OnOff(transparency));
    write(kGroupImage, "Frame", OnOff(frame));
    write(kGroupImage, "Background", OnOff(background));
    write(kGroupImage, "Format", ImageFormatName(imageFormat));
    char resolution[64];
    std::snprintf(resolution, sizeof resolution, "%.3lf", psResolution);
    write(kGroupPostscript, "ResolutionXY", resolution);
    write(kGroupPostscript, "ResolutionUnits", ResolutionUnitName(resolutionUnit));
  }
  // Once per save, after the profile file name is given back: the message's
  // text comes from the message file through the same name.
  if (!saved && !iniFile.empty()) ShowCatalogueMessage(msg::kSettingsNotSaved, MB_OK, iniFile);
}
