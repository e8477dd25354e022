#include <algorithm>
#include <string>

#include "arx/plotdevices.h"
#include "dbplotsetval.h"

namespace {

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
  for (const arx::PlotMedium& medium : device->media) {
    if (medium.canonicalName == canonicalName) {
      localeName = medium.localeName.c_str();  // the catalogue lives as long as the program
      return Acad::eOk;
    }
  }
  return Acad::eInvalidInput;
}

Acad::ErrorStatus AcDbPlotSettingsValidator::setPlotCfgName(AcDbPlotSettings* plotSettings, const ACHAR* deviceName,
                                                            const ACHAR* mediaName) {
  if (!plotSettings || !deviceName) return Acad::eNullObjectPointer;
  if (!plotSettings->isWriteEnabled()) return Acad::eNotOpenForWrite;
  const arx::PlotDevice* device = arx::findPlotDevice(deviceName);
  if (!device) return Acad::eInvalidInput;
  const arx::PlotMedium* medium = mediaName ? arx::findPlotMedium(*device, mediaName) : nullptr;
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
  const arx::PlotMedium* medium = device ? arx::findPlotMedium(*device, mediaName) : nullptr;
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
