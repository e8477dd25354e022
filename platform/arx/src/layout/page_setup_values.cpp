#include "page_setup_values.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

#include "arx/plotdevices.h"

namespace arx::layout {
namespace {

constexpr std::array<const char*, 6> kTypeNames{"display", "extents", "limits", "view", "window", "layout"};

bool setDevice(PageSetup& setup, const std::string& name, std::string& error) {
  const PlotDevice* device = findPlotDevice(name);
  if (!device) {
    error = "Unknown plot device \"" + name + "\"";
    return false;
  }
  setup.plotCfgName = device->name;
  if (!findPlotMedium(*device, setup.canonicalMediaName)) setup.canonicalMediaName = device->media.front().canonicalName;
  return true;
}

bool setMedia(PageSetup& setup, const std::string& name, std::string& error) {
  const PlotDevice* device = findPlotDevice(setup.plotCfgName);
  const auto medium = device ? findPlotMedium(*device, name, &error) : std::nullopt;
  if (!medium) {
    if (!device) error = "The plot device \"" + setup.plotCfgName + "\" has no paper \"" + name + "\"";
    return false;
  }
  setup.canonicalMediaName = medium->canonicalName;
  return true;
}

bool setType(PageSetup& setup, const std::string& name, std::string& error) {
  for (size_t i = 0; i < kTypeNames.size(); ++i) {
    if (strcasecmp(name.c_str(), kTypeNames[i]) == 0 || name == std::to_string(i)) {
      setup.plotType = static_cast<PlotType>(i);
      return true;
    }
  }
  error = "Unknown plot type \"" + name + "\" (display, extents, limits, view, window or layout)";
  return false;
}

bool setWindow(PageSetup& setup, const std::string& text, std::string& error) {
  std::istringstream in(text);
  double v[4];
  char comma;
  const bool read = (in >> v[0] >> comma) && comma == ',' && (in >> v[1] >> comma) && comma == ',' &&
                    (in >> v[2] >> comma) && comma == ',' && (in >> v[3]) && (in >> std::ws).eof();
  if (!read) {
    error = "The plot window must be written x1,y1,x2,y2: \"" + text + "\"";
    return false;
  }
  for (double d : v) {
    if (!std::isfinite(d)) {
      error = "The plot window must be finite: \"" + text + "\"";
      return false;
    }
  }
  if (v[0] == v[2] || v[1] == v[3]) {
    error = "The plot window has no area: \"" + text + "\"";
    return false;
  }
  setup.windowMin = {std::min(v[0], v[2]), std::min(v[1], v[3])};
  setup.windowMax = {std::max(v[0], v[2]), std::max(v[1], v[3])};
  return true;
}

}  // namespace

bool applyPageSetupValue(PageSetup& setup, const std::string& key, const std::string& value, std::string& error) {
  PageSetup draft = setup;
  bool ok = false;
  if (key == "device") ok = setDevice(draft, value, error);
  else if (key == "media") ok = setMedia(draft, value, error);
  else if (key == "type") ok = setType(draft, value, error);
  else if (key == "window") ok = setWindow(draft, value, error);
  else error = "Unknown page setup item \"" + key + "\" (device, media, type or window)";
  if (ok) setup = draft;
  return ok;
}

std::string plotTypeName(PlotType type) {
  const auto index = static_cast<size_t>(type);
  return index < kTypeNames.size() ? kTypeNames[index] : std::to_string(index);
}

std::string windowText(const PageSetup& setup) {
  std::ostringstream out;
  out.precision(17);
  out << setup.windowMin.x << ',' << setup.windowMin.y << ',' << setup.windowMax.x << ',' << setup.windowMax.y;
  return out.str();
}

}  // namespace arx::layout
