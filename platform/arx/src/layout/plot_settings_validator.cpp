#include <algorithm>
#include <mutex>
#include <set>
#include <string>

#include "arx/plotdevices.h"
#include "dbplotsetval.h"

namespace {

// Locale names handed out live as long as the program, as the catalogue's do;
// each user size is kept once.
const char* lastingName(const std::string& name) {
  static std::mutex lock;
  static std::set<std::string> names;
  std::lock_guard guard(lock);
  return names.insert(name).first->c_str();
}

const arx::PlotDevice* deviceOf(const AcDbPlotSettings* plotSettings) {
  return plotSettings ? arx::findPlotDevice(plotSettings->settings().plotCfgName) : nullptr;
}

}  // namespace

Acad::ErrorStatus AcDbPlotSettingsValidator::refreshLists(const AcDbPlotSettings* plotSettings) {
  if (!plotSettings) return Acad::eNullObjectPointer;
  return deviceOf(plotSettings) ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbPlotSettingsValidator::getLocaleMediaName(const AcDbPlotSettings* plotSettings,
                                                                const ACHAR* canonicalName, const ACHAR*& localeName) {
  const arx::PlotDevice* device = deviceOf(plotSettings);
  if (!device || !canonicalName) return Acad::eInvalidInput;
  const auto medium = arx::findPlotMedium(*device, canonicalName);
  if (!medium || medium->canonicalName != canonicalName) return Acad::eInvalidInput;
  localeName = lastingName(medium->localeName);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettingsValidator::setPlotCfgName(AcDbPlotSettings* plotSettings, const ACHAR* deviceName,
                                                            const ACHAR* mediaName) {
  if (!plotSettings || !deviceName) return Acad::eNullObjectPointer;
  if (!plotSettings->isWriteEnabled()) return Acad::eNotOpenForWrite;
  const arx::PlotDevice* device = arx::findPlotDevice(deviceName);
  if (!device) return Acad::eInvalidInput;
  const auto medium = mediaName ? arx::findPlotMedium(*device, mediaName) : std::nullopt;
  if (mediaName && !medium) return Acad::eInvalidInput;
  arx::PageSetup& setup = plotSettings->settings();
  setup.plotCfgName = device->name;
  if (medium) setup.canonicalMediaName = medium->canonicalName;
  else if (!arx::findPlotMedium(*device, setup.canonicalMediaName)) setup.canonicalMediaName = device->media.front().canonicalName;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettingsValidator::setCanonicalMediaName(AcDbPlotSettings* plotSettings,
                                                                   const ACHAR* mediaName) {
  if (!plotSettings || !mediaName) return Acad::eNullObjectPointer;
  if (!plotSettings->isWriteEnabled()) return Acad::eNotOpenForWrite;
  const arx::PlotDevice* device = deviceOf(plotSettings);
  const auto medium = device ? arx::findPlotMedium(*device, mediaName) : std::nullopt;
  if (!medium) return Acad::eInvalidInput;
  plotSettings->settings().canonicalMediaName = medium->canonicalName;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettingsValidator::setPlotType(AcDbPlotSettings* plotSettings,
                                                         AcDbPlotSettings::PlotType type) {
  if (!plotSettings) return Acad::eNullObjectPointer;
  if (!plotSettings->isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (type < AcDbPlotSettings::kDisplay || type > AcDbPlotSettings::kLayout) return Acad::eInvalidInput;
  plotSettings->settings().plotType = static_cast<arx::PlotType>(type);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettingsValidator::setPlotWindowArea(AcDbPlotSettings* plotSettings, double xmin,
                                                               double ymin, double xmax, double ymax) {
  if (!plotSettings) return Acad::eNullObjectPointer;
  if (!plotSettings->isWriteEnabled()) return Acad::eNotOpenForWrite;
  arx::PageSetup& setup = plotSettings->settings();
  setup.windowMin = {std::min(xmin, xmax), std::min(ymin, ymax)};
  setup.windowMax = {std::max(xmin, xmax), std::max(ymin, ymax)};
  return Acad::eOk;
}
