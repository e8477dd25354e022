#include "dblayout.h"
#include "dbsymtb.h"

ACRX_DEFINE_MEMBERS(AcDbPlotSettings, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbLayout, AcDbPlotSettings)

arx::PageSetup& AcDbPlotSettings::settings() { return database() ? arx::pageSetup(*database()) : m_detached; }
const arx::PageSetup& AcDbPlotSettings::settings() const {
  return database() ? arx::pageSetup(*database()) : m_detached;
}

AcDbPlotSettings::PlotType AcDbPlotSettings::plotType() const {
  return static_cast<PlotType>(settings().plotType);
}

void AcDbPlotSettings::getPlotWindowArea(double& xmin, double& ymin, double& xmax, double& ymax) const {
  const arx::PageSetup& s = settings();
  xmin = s.windowMin.x;
  ymin = s.windowMin.y;
  xmax = s.windowMax.x;
  ymax = s.windowMax.y;
}

Adesk::Boolean AcDbPlotSettings::plotCentered() const { return settings().centered; }

Acad::ErrorStatus AcDbPlotSettings::getPlotOrigin(double& x, double& y) const {
  x = settings().plotOrigin.x;
  y = settings().plotOrigin.y;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettings::getPlotCfgName(const ACHAR*& name) const {
  name = settings().plotCfgName.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettings::getCanonicalMediaName(const ACHAR*& name) const {
  name = settings().canonicalMediaName.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::getLayoutName(const ACHAR*& name) const {
  name = settings().layoutName.c_str();
  return Acad::eOk;
}

AcDbObjectId AcDbLayout::getBlockTableRecordId() const {
  return database() ? database()->modelSpaceId() : AcDbObjectId::kNull;
}
