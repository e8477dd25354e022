#include "plot/plot_layers.h"

#include <acedads.h>
#include <dbmain.h>
#include <dbsymtb.h>

#include <algorithm>

#include "plot/plot_object.h"

PlotLayerList thePlotLayerList;

namespace {

bool isCollected(AcDbObjectId layerId) {
  return std::any_of(thePlotLayerList.ids.begin(), thePlotLayerList.ids.end(),
                     [&](const AcDbObjectId& id) { return c5ObjIdIsEqualTo(id, layerId); });
}

// Appends the layer of the selection's member `index` when it is new and plottable.
void collectLayerOf(const ads_name selection, long index) {
  ads_name name;
  AcDbObjectId entityId;
  AcDbEntity* entity = nullptr;
  if (acedSSName(selection, index, name) != RTNORM || acdbGetObjectId(entityId, name) != Acad::eOk ||
      acdbOpenAcDbEntity(entity, entityId, AcDb::kForRead) != Acad::eOk) {
    return;
  }
  const AcDbObjectId layerId = entity->layerId();
  bool plottable = false;
  if (!isCollected(layerId) && readLayerPlottable(layerId, plottable) && plottable) {
    ACHAR* layerName = entity->layer();
    thePlotLayerList.ids.push_back(layerId);
    thePlotLayerList.names.push_back(layerName ? layerName : "");
    delete[] layerName;
  }
  entity->close();
}

bool readBackgroundPlot(short& value) {
  resbuf current{};
  if (acedGetVar("BACKGROUNDPLOT", &current) != RTNORM || current.restype != RTSHORT) return false;
  value = current.resval.rint;
  return true;
}

void setBackgroundPlot(short value) {
  resbuf* setting = acutBuildList(RTSHORT, value, 0);
  if (!setting) return;
  acedSetVar("BACKGROUNDPLOT", setting);
  acutRelRb(setting);
}

void setAllListedPlottable(bool on) {
  for (const AcDbObjectId& id : thePlotLayerList.ids) setLayerPlottable(id, on);
}

// Background plotting off and the listed layers as the plots leave them for
// the length of the loop; on every way out the layers are plottable again (as
// they were when collected) and "BACKGROUNDPLOT" has its former value.
class PlotLoopState {
 public:
  PlotLoopState() : m_remembered(readBackgroundPlot(m_backgroundPlot)) { setBackgroundPlot(0); }
  ~PlotLoopState() {
    setAllListedPlottable(true);
    if (m_remembered) setBackgroundPlot(m_backgroundPlot);
  }
  PlotLoopState(const PlotLoopState&) = delete;
  PlotLoopState& operator=(const PlotLoopState&) = delete;

 private:
  short m_backgroundPlot = 0;
  bool m_remembered;
};

}  // namespace

std::string plotLayerFileName(const std::string& basePath, std::size_t index, const std::string& fileType) {
  return basePath + "(Layer" + std::to_string(index) + ")." + fileType;
}

LayerPlots layerPlots(const std::string& basePath, const std::string& plotType) {
  return {basePath, plotType, thePlotLayerList.names, plotType == "eps" ? postScriptResolution() : 0.0};
}

bool collectPlotLayers(const PlotWindow& window) {
  thePlotLayerList.clear();
  ads_point first = {window.first.x, window.first.y, 0.0};
  ads_point second = {window.second.x, window.second.y, 0.0};
  ads_name selection;
  if (acedSSGet("_C", first, second, nullptr, selection) != RTNORM) return false;
  long length = 0;
  if (acedSSLength(selection, &length) != RTNORM || length == 0) {
    acedSSFree(selection);
    return false;
  }
  for (long i = 0; i < length; ++i) collectLayerOf(selection, i);
  acedSSFree(selection);
  return true;
}

void plotLayers(const std::string& basePath, const std::string& fileType) {
  const PlotLoopState state;
  for (std::size_t i = 0; i < thePlotLayerList.size(); ++i) {
    setAllListedPlottable(false);
    setLayerPlottable(thePlotLayerList.ids[i], true);
    plotFile(plotLayerFileName(basePath, i, fileType));  // a failed plot does not stop the others
  }
}

bool readLayerPlottable(AcDbObjectId layerId, bool& on) {
  AcDbLayerTableRecord* record = nullptr;
  if (acdbOpenObject(record, layerId, AcDb::kForRead) != Acad::eOk) return false;
  on = record->isPlottable();
  record->close();
  return true;
}

bool setLayerPlottable(AcDbObjectId layerId, bool on) {
  AcDbLayerTableRecord* record = nullptr;
  if (acdbOpenObject(record, layerId, AcDb::kForWrite) != Acad::eOk) return false;
  const bool done = record->setIsPlottable(on) == Acad::eOk;
  record->close();
  return done;
}
