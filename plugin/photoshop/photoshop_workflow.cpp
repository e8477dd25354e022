#include "photoshop/photoshop_workflow.h"

#include <windows.h>

#include <comdef.h>

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

// A save step: Photoshop fails the call when the file cannot be written.
// False after "ImageFileNotWritten" with the path.
template <typename Save>
bool Saved(const std::string& path, Save save) {
  try {
    save();
    return true;
  } catch (const _com_error&) {
    ShowCatalogueMessage(msg::kImageFileNotWritten, MB_OK, path);
    return false;
  }
}

// Runs the steps of a workflow; an error that ends them closes the
// connection before it goes on, so that Photoshop is not left running.
template <typename Steps>
bool DisconnectingOnError(Steps steps) {
  try {
    return steps();
  } catch (...) {
    psDisconnectAfterError();
    throw;
  }
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

// The layered document from the first plot: its own white background layer
// only, saved as PSD. False when it could not be saved (after the message).
bool MakeLayeredDocument(PlotStack& stack, const std::string& firstLayerName) {
  psMakeLayer(firstLayerName, "None", false);
  LONG backgroundId = 0;
  stack.hasBackground = psGetBackgroundLayerId(backgroundId);
  if (stack.hasBackground) psDeleteBackground();
  psMakeLayer("", "None", true);
  psDeleteLayerAt(1);
  if (!stack.hasBackground) psDeleteLayerAt(2);
  const std::string psdPath = stack.basePath + ".psd";
  if (!Saved(psdPath, [&] { psSaveAsPsd(psdPath); })) return false;
  psGetDocumentId(stack.documentId);
  return true;
}

// Opens plot file `index` and moves its picture into the layered document as
// the layer `layerName`; the first plot makes the layered document. False
// when that could not be saved.
bool AddPlotLayer(PlotStack& stack, size_t index, const std::string& layerName) {
  const std::string plotFile = plotLayerFileName(stack.basePath, index, stack.plotType);
  OpenPlot(plotFile, stack.eps, stack.psResolution);
  if (index == 0) {
    if (!MakeLayeredDocument(stack, layerName)) return false;
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
  return true;
}

// The stacking once connected; false (disconnected) when the layered
// document could not be saved.
bool StackPlots(PlotStack& stack, const std::vector<std::string>& layerNames) {
  // White foreground and background: the background layer's paper, and the
  // colour range that removes the paper of raster plots.
  psSetColor(255, 255, 255, false);
  psSetColor(255, 255, 255, true);
  bool saved = true;
  for (size_t i = 0; saved && i < layerNames.size(); ++i) saved = AddPlotLayer(stack, i, "ACAD_" + layerNames[i]);
  if (saved) {
    psDeselect();
    saved = Saved(stack.basePath + ".psd", [] { psSave(); });
  }
  if (!saved) psDisconnect();
  return saved;
}

// The conversion's saves; false after the message for a file not written.
bool SaveLayeredAndPicture(const std::string& basePath, const std::string& pictureType) {
  const std::string psdPath = basePath + ".psd";
  if (!Saved(psdPath, [] { psSave(); })) return false;
  psOpen(psdPath);
  const std::string picturePath = basePath + "." + pictureType;
  // The picture of an earlier run is moved aside rather than deleted, and
  // comes back when the new one cannot be written.
  const std::string earlier = picturePath + ".previous";
  DeleteFileA(earlier.c_str());
  const DWORD attributes = GetFileAttributesA(picturePath.c_str());
  const bool keptEarlier = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                           MoveFileA(picturePath.c_str(), earlier.c_str());
  DeleteFileA(picturePath.c_str());  // a missing file is no error
  const bool saved = Saved(picturePath, [&] { SaveInPictureType(picturePath, pictureType); });
  if (keptEarlier && !saved) {
    DeleteFileA(picturePath.c_str());
    MoveFileA(earlier.c_str(), picturePath.c_str());
  }
  if (keptEarlier) DeleteFileA(earlier.c_str());
  return saved;
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
  PlotStack stack{plots.basePath, plots.plotType, EqualsNoCase(plots.plotType, "eps"), plots.psResolution};
  return DisconnectingOnError([&] { return StackPlots(stack, plots.layerNames); });
}

bool photoshopConvert(const std::string& basePath, const std::string& pictureType) {
  return DisconnectingOnError([&] {
    const bool saved = SaveLayeredAndPicture(basePath, pictureType);
    FinishWithEditor();
    return saved;
  });
}

bool photoshopEdit(const std::string& basePath, const std::string& extension) {
  const std::string psdPath = basePath + ".psd";
  const bool psdExists = FileExists(psdPath);
  if (!psConnect()) {
    ShowCatalogueMessage(msg::kPshNotAvailable);
    return false;
  }
  return DisconnectingOnError([&] {
    psOpen(psdExists ? psdPath : basePath + "." + extension);
    WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary);
    if (psdExists) return photoshopConvert(basePath, extension);
    FinishWithEditor();
    return true;
  });
}
