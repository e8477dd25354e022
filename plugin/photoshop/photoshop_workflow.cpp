#include "photoshop/photoshop_workflow.h"

#include <windows.h>

#include "frame/file_exists.h"
#include "frame/message_box.h"
#include "frame/text.h"
#include "photoshop/editor_close_wait.h"
#include "photoshop/photoshop_automation.h"
#include "plot/plot_layers.h"
#include "settings/plugin_settings.h"

namespace {

bool OpenPlot(const std::string& plotFile, bool eps, double psResolution) {
  return eps ? psOpenEps(plotFile, psResolution) : psOpen(plotFile);
}

// The layered document from the first plot: its own white background layer
// only, saved as PSD. True when the plot had a background layer.
bool MakeLayeredDocument(const std::string& firstLayerName, const std::string& psdPath, LONG& documentId) {
  psMakeLayer(firstLayerName, "None", false);
  LONG backgroundId = 0;
  bool hasBackground = psGetBackgroundLayerId(backgroundId);
  if (hasBackground) psDeleteBackground();
  psMakeLayer("", "None", true);
  psDeleteLayerAt(1);
  if (!hasBackground) psDeleteLayerAt(2);
  psSaveAsPsd(psdPath);
  psGetDocumentId(documentId);
  return hasBackground;
}

bool SaveInPictureType(const std::string& picturePath, const std::string& pictureType) {
  if (EqualsNoCase(pictureType, "tif")) return psSaveAsTiff(picturePath);
  if (EqualsNoCase(pictureType, "bmp")) return psSaveAsBmp(picturePath);
  if (EqualsNoCase(pictureType, "jpg")) return psSaveAsJpeg(picturePath);
  if (EqualsNoCase(pictureType, "png")) return psSaveAsPng(picturePath);
  if (EqualsNoCase(pictureType, "tga")) return psSaveAsTarga(picturePath);
  return false;  // no other picture type is written
}

// One run of the stacking: the plot files and what the first one showed.
struct PlotStack {
  std::string basePath;
  std::string plotType;
  bool eps = false;
  double psResolution = 0;
  bool hasBackground = false;  // the first plot opened with a background layer
  LONG documentId = 0;         // the layered document
};

// Opens plot file `index` and moves its picture into the layered document as
// the layer `layerName`; the first plot makes the layered document.
void AddPlotLayer(PlotStack& stack, size_t index, const std::string& layerName) {
  const std::string plotFile = plotLayerFileName(stack.basePath, index, stack.plotType);
  OpenPlot(plotFile, stack.eps, stack.psResolution);
  if (index == 0) {
    stack.hasBackground = MakeLayeredDocument(layerName, stack.basePath + ".psd", stack.documentId);
    OpenPlot(plotFile, stack.eps, stack.psResolution);
  }
  if (stack.hasBackground) {
    psSelectAll();
    psCopy();
  } else {
    psDuplicateLayerTo(layerName, stack.documentId);
  }
  psCloseDiscarding();  // the layered document is active again
  if (stack.hasBackground) {
    psMakeLayer(layerName, "None", false);
    psPaste();
  }
  if (!stack.eps) {
    psColorRange();
    psDelete();
  }
}

void FinishWithEditor() {
  SignalEditorWindow();
  psDisconnect();
}

}  // namespace

bool photoshopCreate(const LayerPlots& plots) {
  if (!psConnect()) {
    ShowCatalogueMessage(msg::kPshNotAvailable);
    return false;
  }
  // White foreground and background: the background layer's paper, and the
  // colour range that removes the paper of raster plots.
  psSetColor(255, 255, 255, false);
  psSetColor(255, 255, 255, true);
  PlotStack stack{plots.basePath, plots.plotType, EqualsNoCase(plots.plotType, "eps"), plots.psResolution};
  for (size_t i = 0; i < plots.layerNames.size(); ++i) AddPlotLayer(stack, i, "ACAD_" + plots.layerNames[i]);
  psDeselect();
  psSave();
  return true;
}

void photoshopConvert(const std::string& basePath, const std::string& pictureType) {
  psSave();
  psOpen(basePath + ".psd");
  const std::string picturePath = basePath + "." + pictureType;
  DeleteFileA(picturePath.c_str());  // a missing file is no error
  SaveInPictureType(picturePath, pictureType);
  FinishWithEditor();
}

bool photoshopEdit(const std::string& basePath, const std::string& extension) {
  const std::string psdPath = basePath + ".psd";
  const bool psdExists = FileExists(psdPath);
  if (!psConnect()) {
    ShowCatalogueMessage(msg::kPshNotAvailable);
    return false;
  }
  psOpen(psdExists ? psdPath : basePath + "." + extension);
  WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary);
  if (psdExists) {
    photoshopConvert(basePath, extension);
  } else {
    FinishWithEditor();
  }
  return true;
}
