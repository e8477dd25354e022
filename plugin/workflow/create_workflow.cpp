#include "workflow/create_workflow.h"

#include <acedads.h>

#include <cctype>
#include <cstdlib>

#include "editors/editor_bridge.h"
#include "frame/file_exists.h"
#include "frame/message_box.h"
#include "plot/plot_layers.h"
#include "plot/plot_object.h"
#include "raster/picture_file.h"
#include "raster/world_file.h"
#include "settings/plugin_app.h"
#include "workflow/layer_image.h"

namespace {

bool readStringVariable(const char* name, std::string& value) {
  resbuf result{};
  if (acedGetVar(name, &result) != RTNORM || result.restype != RTSTR || !result.resval.rstring) return false;
  value = result.resval.rstring;
  std::free(result.resval.rstring);  // the editor allocates variable strings with malloc
  return true;
}

// The drawing's full path without its extension (everything from the last ".").
std::string drawingPathWithoutExtension() {
  std::string folder, name;
  readStringVariable("DWGPREFIX", folder);
  readStringVariable("DWGNAME", name);
  std::string path = folder + name;
  const std::string::size_type dot = path.rfind('.');
  if (dot != std::string::npos) path.erase(dot);
  return path;
}

// Steps 1 to 4: the layer and the plot file names. False after the message.
bool checkEntries(const CreateJob& job, PlotFileNames& names) {
  if (job.layerName.empty()) {
    ShowCatalogueMessage(msg::kLayerNotSpecified);
    return false;
  }
  names = PlotFileNames{{}, job.plotFileType, {}};
  derivePlotFileNames(job.deviceName, job.plotFileText, names);
  if (!isDriveLetterPath(names.plotPath)) {
    ShowCatalogueMessage(msg::kFullPathNotSpecified);
    return false;
  }
  return true;
}

// Steps 5 to 7: the plot window, the layered document not to be lost
// unasked, the window in world coordinates and its layers.
bool preparePlotWindow(const std::string& plotPath) {
  if (!readPlotWindow(thePlotWindow)) {
    ShowCatalogueMessage(msg::kPlotAreaNotWindow);
    return false;
  }
  const std::string psdPath = plotPath + ".psd";
  if (FileExists(psdPath) &&
      ShowCatalogueMessage(msg::kPsdFileAlreadyExists, MB_YESNOCANCEL | MB_ICONQUESTION, psdPath) != IDYES) {
    return false;
  }
  plotWindowToWorld(thePlotWindow);
  collectPlotLayers(thePlotWindow);  // an empty list is reported by runLayerImage
  return true;
}

// Steps 8 to 10: the editor, and for GIMP its executable, its script and
// texts it can take (checked before anything is plotted).
bool prepareEditor(const CreateJob& job, const PlotFileNames& names) {
  theSettings.program = job.editor;
  if (theSettings.program != kProgramGimp) return true;
  return gimpLocated(job.locateGimp) &&
         editorCanCreate(theSettings.program, layerPlots(names.plotPath, names.plotFileType));
}

// A file the editor was to write, whole for its type; else false after
// "ImageFileNotWritten" with its path. A type that cannot be checked passes.
bool editorWroteWhole(const std::string& path, const std::string& type) {
  if (!isCheckablePictureType(type) || isWholePictureFile(path, type)) return true;
  ShowCatalogueMessage(msg::kImageFileNotWritten, MB_OK, path);
  return false;
}

}  // namespace

void derivePlotFileNames(const std::string& deviceName, const std::string& plotFileText, PlotFileNames& names) {
  names.plotPath = plotFileText.empty() ? drawingPathWithoutExtension() : plotFileText;
  plotFileType(deviceName, names.plotPath, names.plotFileType);
  names.worldFileExtension = worldFileExtension(names.plotFileType);
}

bool isDriveLetterPath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
}

bool gimpLocated(const std::function<bool()>& locateGimp) {
  return !theSettings.gimpExecutable.empty() || (locateGimp && locateGimp());
}

bool confirmCreate(const CreateJob& job, PlotFileNames& names) {
  if (!checkEntries(job, names) || !preparePlotWindow(names.plotPath) || !prepareEditor(job, names)) return false;
  const ProgramKind editor = theSettings.program;
  if (!runLayerImage(editor, names.plotPath, names.plotFileType)) return false;
  editorWaitForUser(editor);
  if (job.pictureFormat != 0) theSettings.imageFormat = job.pictureFormat;
  const ImageOptions options{theSettings.background, theSettings.frame, theSettings.transparency};
  if (!finishPicture(editor, names.plotPath, job.pictureType, names.worldFileExtension, thePlotWindow,
                     job.layerName, options)) {
    return false;
  }
  theSettings.SaveSettings(theApp);
  releasePlotObject();
  return true;
}

bool finishPicture(ProgramKind editor, const std::string& basePath, const std::string& pictureType,
                   const std::string& worldExtension, PlotWindow& window, const std::string& layerName,
                   const ImageOptions& options) {
  // GIMP's create step wrote the layered document and GIMP has ended;
  // Photoshop saves it once more when it converts.
  const std::string psdPath = basePath + ".psd";
  if (editor != kProgramPhotoshop && !editorWroteWhole(psdPath, "psd")) return false;
  if (!editorConvert(editor, basePath, pictureType) || (editor == kProgramPhotoshop && !editorWroteWhole(psdPath, "psd")) ||
      !editorWroteWhole(basePath + "." + pictureType, pictureType)) {
    return false;
  }
  return insertPicture(basePath, pictureType, worldExtension, window, layerName, options);
}
