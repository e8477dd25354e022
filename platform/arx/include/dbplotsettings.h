#pragma once
// The plot settings of a layout (its page setup).
#include "dbmain.h"

class AcDbPlotSettings : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPlotSettings)
  enum PlotType { kDisplay = 0, kExtents = 1, kLimits = 2, kView = 3, kWindow = 4, kLayout = 5 };

  AcDbPlotSettings() = default;

  PlotType plotType() const;
  // The plot window in display coordinates, lower-left corner first.
  void getPlotWindowArea(double& xmin, double& ymin, double& xmax, double& ymax) const;
  // Whether the plot is centred on the paper ("center the plot").
  Adesk::Boolean plotCentered() const;
  // The plot origin's offset from the lower-left corner of the printable
  // area, in paper units (pixels for the raster devices).
  Acad::ErrorStatus getPlotOrigin(double& x, double& y) const;
  // Name of the plot device (configuration); valid while the object is open.
  Acad::ErrorStatus getPlotCfgName(const ACHAR*& name) const;
  // Canonical (locale-independent) media name; valid while the object is open.
  Acad::ErrorStatus getCanonicalMediaName(const ACHAR*& name) const;

  // Stand-in internals: the page setup this object stands for, the drawing's
  // own when the object is in a database.
  arx::PageSetup& settings();
  const arx::PageSetup& settings() const;

 private:
  arx::PageSetup m_detached;
};
