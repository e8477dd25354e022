#pragma once
// Checks and changes plot settings against the plot devices the editor knows.
// Reached as acdbHostApplicationServices()->plotSettingsValidator().
#include "dbplotsettings.h"

class AcDbPlotSettingsValidator {
 public:
  virtual ~AcDbPlotSettingsValidator() = default;

  // Re-reads the device and media lists for `plotSettings`; eInvalidInput when
  // its device is not one of the editor's.
  virtual Acad::ErrorStatus refreshLists(const AcDbPlotSettings* plotSettings);
  // The locale (display) name of a canonical media name of the settings'
  // device; valid until the next refresh. eInvalidInput when the device has
  // no such medium.
  virtual Acad::ErrorStatus getLocaleMediaName(const AcDbPlotSettings* plotSettings, const ACHAR* canonicalName,
                                               const ACHAR*& localeName);

  // Changes; `plotSettings` must be open for write.
  virtual Acad::ErrorStatus setPlotCfgName(AcDbPlotSettings* plotSettings, const ACHAR* deviceName,
                                           const ACHAR* mediaName = nullptr);
  virtual Acad::ErrorStatus setCanonicalMediaName(AcDbPlotSettings* plotSettings, const ACHAR* mediaName);
  virtual Acad::ErrorStatus setPlotType(AcDbPlotSettings* plotSettings, AcDbPlotSettings::PlotType type);
  virtual Acad::ErrorStatus setPlotWindowArea(AcDbPlotSettings* plotSettings, double xmin, double ymin,
                                              double xmax, double ymax);
};
