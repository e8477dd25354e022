#include "plot/create_workflow.h"

#include <acedads.h>

#include <cctype>
#include <cstdlib>

#include "dialogs/gimp_location_dialog.h"
#include "dialogs/main_dialog.h"
#include "frame/commands.h"
#include "frame/file_exists.h"
#include "frame/message_box.h"
#include "frame/plugin_app.h"
#include "gimp/gimp_batch.h"
#include "gimp/gimp_discovery.h"
#include "photoshop/editor_close_wait.h"
#include "photoshop/photoshop_workflow.h"
#include "plot/layer_image.h"
#include "plot/plot_layers.h"
#include "plot/plot_object.h"
#include "raster/image_insert.h"
#include "raster/picture_file.h"
#include "raster/world_file.h"
#include "settings/plugin_settings.h"

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

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The editor list's choice as a ProgramKind; the settings' own when nothing is chosen.
int chosenEditor(const CMoXIDialog& dialog) {
  const int selection = dialog.EditorSelection();
  return selection >= 0 && selection < kProgramKindCount ? selection + 1 : theSettings.program;
}

// Steps 1 to 4: the layer and the plot file names. False after the message.
bool checkEntries(CMoXIDialog& dialog) {
  if (dialog.ImageLayerName().empty()) {
    ShowCatalogueMessage(msg::kLayerNotSpecified);
    return false;
  }
  PlotFileNames names{{}, dialog.m_plotFileType, {}};
  derivePlotFileNames(dialog.DeviceName(), dialog.PlotFileText(), names);
  dialog.m_plotPath = names.plotPath;
  dialog.m_plotFileType = names.plotFileType;
  dialog.m_worldFileExtension = names.worldFileExtension;
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
  theApp.m_psdPath = plotPath + ".psd";
  if (FileExists(theApp.m_psdPath) &&
      ShowCatalogueMessage(msg::kPsdFileAlreadyExists, MB_YESNOCANCEL | MB_ICONQUESTION, theApp.m_psdPath) !=
          IDYES) {
    return false;
  }
  plotWindowToWorld(thePlotWindow);
  collectPlotLayers(thePlotWindow);  // an empty list is reported by runLayerImage
  return true;
}

// Steps 8 to 10: the editor, and for GIMP its executable, its script and
// texts it can take (checked before anything is plotted).
bool prepareEditor(const CMoXIDialog& dialog) {
  theSettings.program = static_cast<ProgramKind>(chosenEditor(dialog));
  if (theSettings.program != kProgramGimp) return true;
  return ensureGimpLocation() && ensureGimpScript(theSettings.gimpExecutable, MainDialogWindow()) &&
         gimpTextsSafe(dialog.m_plotPath, dialog.m_plotFileType, thePlotLayerList.names);
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

bool confirmCreate(CMoXIDialog& dialog) {
  if (!checkEntries(dialog) || !preparePlotWindow(dialog.m_plotPath) || !prepareEditor(dialog)) return false;
  const int editor = theSettings.program;
  if (!runLayerImage(editor, dialog.m_plotPath, dialog.m_plotFileType)) return false;
  WaitForEditorClose(editor, theSettings.hookLibrary);  // a failed wait has shown its message
  const int format = dialog.PictureTypeSelection();
  if (format >= 0 && format < kImageFormatCount) theSettings.imageFormat = static_cast<ImageFormat>(format + 1);
  const ImageOptions options{theSettings.background, theSettings.frame, theSettings.transparency};
  if (!finishPicture(editor, dialog.m_plotPath, lowerCase(dialog.PictureType()), dialog.m_worldFileExtension,
                     thePlotWindow, dialog.ImageLayerName(), options)) {
    return false;
  }
  theSettings.SaveSettings(theApp);
  releasePlotObject();
  return true;
}

bool finishPicture(int editor, const std::string& basePath, const std::string& pictureType,
                   const std::string& worldExtension, PlotWindow& window, const std::string& layerName,
                   const ImageOptions& options) {
  // GIMP's create step wrote the layered document and GIMP has ended;
  // Photoshop saves it once more when it converts.
  const std::string psdPath = basePath + ".psd";
  if (editor != kProgramPhotoshop && !editorWroteWhole(psdPath, "psd")) return false;
  const bool converted =
      editor == kProgramPhotoshop ? photoshopConvert(basePath, pictureType) : gimpConvert(basePath, pictureType);
  if (!converted || (editor == kProgramPhotoshop && !editorWroteWhole(psdPath, "psd")) ||
      !editorWroteWhole(basePath + "." + pictureType, pictureType)) {
    return false;
  }
  return insertPicture(basePath, pictureType, worldExtension, window, layerName, options.sendToBack, options.frame,
                       options.transparent);
}

bool ensureGimpLocation() {
  if (theSettings.gimpExecutable.empty()) {
    MoXIBFGDialog dialog;
    dialog.DoModal();
  }
  return !theSettings.gimpExecutable.empty();
}
