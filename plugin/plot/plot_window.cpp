#include "plot/plot_window.h"

#include <acaplmgr.h>
#include <acedads.h>
#include <dblayout.h>
#include <dbplotsetval.h>

#include <algorithm>
#include <cctype>

#include "frame/text.h"
#include "settings/plugin_settings.h"

PlotWindow thePlotWindow;

namespace {

AcApLayoutManager* layoutManager() {
  AcDbHostApplicationServices* services = acdbHostApplicationServices();
  return services ? static_cast<AcApLayoutManager*>(services->layoutManager()) : nullptr;
}

// The active layout opened in `mode`, or null.
AcDbLayout* openActiveLayout(AcDb::OpenMode mode) {
  AcApLayoutManager* manager = layoutManager();
  if (!manager) return nullptr;
  const ACHAR* name = manager->findActiveLayout(true);
  if (!name) return nullptr;
  AcDbLayout* layout = nullptr;
  if (manager->getLayoutNamed(name, layout, mode) != Acad::eOk) return nullptr;
  return layout;
}

// Closes the layout when the scope ends, whatever path leaves it.
class OpenLayout {
 public:
  explicit OpenLayout(AcDb::OpenMode mode) : m_layout(openActiveLayout(mode)) {}
  ~OpenLayout() {
    if (m_layout) m_layout->close();
  }
  OpenLayout(const OpenLayout&) = delete;
  OpenLayout& operator=(const OpenLayout&) = delete;
  AcDbLayout* get() const { return m_layout; }

 private:
  AcDbLayout* m_layout;
};

AcDbPlotSettingsValidator* plotSettingsValidator() {
  AcDbHostApplicationServices* services = acdbHostApplicationServices();
  return services ? services->plotSettingsValidator() : nullptr;
}

void cornerToWorld(PlotWindow::Corner& corner) {
  ads_point display = {corner.x, corner.y, 0.0};
  ads_point world = {0.0, 0.0, 0.0};
  resbuf from{}, to{};
  from.restype = to.restype = RTSHORT;
  from.resval.rint = 2;  // display coordinate system
  to.resval.rint = 0;    // world coordinate system
  if (acedTrans(display, &from, &to, 0, world) != RTNORM) return;
  corner.x = world[0];
  corner.y = world[1];
}

}  // namespace

bool readPlotWindow(PlotWindow& window) {
  const OpenLayout layout(AcDb::kForRead);
  if (!layout.get() || layout.get()->plotType() != AcDbPlotSettings::kWindow) return false;
  layout.get()->getPlotWindowArea(window.first.x, window.first.y, window.second.x, window.second.y);
  return true;
}

PlotPlacement readPlotPlacement() {
  PlotPlacement placement;
  const OpenLayout layout(AcDb::kForRead);
  if (!layout.get()) return placement;
  placement.centered = layout.get()->plotCentered();
  if (layout.get()->getPlotOrigin(placement.originX, placement.originY) != Acad::eOk)
    placement.originX = placement.originY = 0.0;
  return placement;
}

void plotWindowToWorld(PlotWindow& window) {
  cornerToWorld(window.first);
  cornerToWorld(window.second);
}

bool readPlotDevice(std::string& deviceName, std::string& paperName) {
  const OpenLayout layout(AcDb::kForWrite);
  AcDbPlotSettingsValidator* validator = plotSettingsValidator();
  if (!layout.get() || !validator) return false;
  const ACHAR* device = nullptr;
  if (layout.get()->getPlotCfgName(device) != Acad::eOk || !device) return false;
  deviceName = device;
  const ACHAR* canonical = nullptr;
  if (layout.get()->getCanonicalMediaName(canonical) != Acad::eOk || !canonical) return false;
  const ACHAR* locale = nullptr;
  if (validator->refreshLists(layout.get()) != Acad::eOk ||
      validator->getLocaleMediaName(layout.get(), canonical, locale) != Acad::eOk || !locale) {
    return false;
  }
  paperName = locale;
  return true;
}

void refreshPlotDeviceLists() {
  const OpenLayout layout(AcDb::kForWrite);
  AcDbPlotSettingsValidator* validator = plotSettingsValidator();
  if (layout.get() && validator) validator->refreshLists(layout.get());
}

void plotFileType(const std::string& deviceName, std::string& plotPath, std::string& fileType) {
  static const struct {
    const char* word;
    const char* type;
  } kTypes[] = {{"png", "png"}, {"jpg", "jpg"}, {"tif", "tif"}, {"postscript", "eps"}};
  const std::string device = LowerCase(deviceName);
  for (const auto& candidate : kTypes) {
    if (device.find(candidate.word) != std::string::npos) {
      fileType = candidate.type;
      break;
    }
  }
  const std::string::size_type dot = plotPath.rfind('.');
  if (dot != std::string::npos && plotPath.compare(dot + 1, std::string::npos, fileType) == 0) {
    plotPath.erase(dot);
  }
}

double postScriptResolution() {
  const double resolution = theSettings.psResolution;
  return theSettings.resolutionUnit == kUnitPixelPerCm ? resolution * 2.54 : resolution;
}
