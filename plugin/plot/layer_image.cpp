#include "plot/layer_image.h"

#include <windows.h>

#include "frame/message_box.h"
#include "gimp/gimp_batch.h"
#include "photoshop/photoshop_workflow.h"
#include "plot/plot_layers.h"
#include "plot/plot_window.h"
#include "settings/plugin_settings.h"

EditorCreateStep theGimpCreateStep = gimpCreate;

namespace {

bool photoshopCreateStep(const std::string& basePath, const std::string& fileType) {
  const double resolution = fileType == "eps" ? postScriptResolution() : 0.0;
  return photoshopCreate(basePath, fileType, thePlotLayerList.names, resolution);
}

bool gimpCreateStep(const std::string& basePath, const std::string& fileType) {
  if (theGimpCreateStep) return theGimpCreateStep(basePath, fileType);
  ShowCatalogueMessage(msg::kGimpNotAvailable);
  return false;
}

void deletePlotFiles(const std::string& basePath, const std::string& fileType) {
  for (std::size_t i = 0; i < thePlotLayerList.size(); ++i) {
    DeleteFileA(plotLayerFileName(basePath, i, fileType).c_str());  // a file that stays is no failure
  }
}

}  // namespace

EditorCreateStep editorCreateStep(int editor) {
  return editor == kProgramPhotoshop ? EditorCreateStep(photoshopCreateStep) : EditorCreateStep(gimpCreateStep);
}

bool runLayerImage(const EditorCreateStep& createStep, const std::string& basePath, const std::string& fileType) {
  if (thePlotLayerList.empty()) {
    ShowCatalogueMessage(msg::kEntitiesNotFound);
    return false;
  }
  plotLayers(basePath, fileType);
  if (!createStep(basePath, fileType)) return false;
  deletePlotFiles(basePath, fileType);
  thePlotLayerList.clear();
  return true;
}

bool runLayerImage(int editor, const std::string& basePath, const std::string& fileType) {
  return runLayerImage(editorCreateStep(editor), basePath, fileType);
}
