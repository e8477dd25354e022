#include "workflow/layer_image.h"

#include <windows.h>

#include "editors/editor_bridge.h"
#include "frame/message_box.h"
#include "plot/plot_layers.h"

EditorCreateStep theGimpCreateStep = [](const std::string& basePath, const std::string& fileType) {
  return editorCreate(kProgramGimp, layerPlots(basePath, fileType));
};

namespace {

bool photoshopCreateStep(const std::string& basePath, const std::string& fileType) {
  return editorCreate(kProgramPhotoshop, layerPlots(basePath, fileType));
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

EditorCreateStep editorCreateStep(ProgramKind editor) {
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

bool runLayerImage(ProgramKind editor, const std::string& basePath, const std::string& fileType) {
  return runLayerImage(editorCreateStep(editor), basePath, fileType);
}
