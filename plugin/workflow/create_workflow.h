#pragma once
// "TAVO_IMGCREATE" once the main dialog is confirmed: the checks of the
// entries, the layer plots, the editor's layered document, the picture and
// its insertion into the drawing.
#include <functional>
#include <string>

#include "plot/plot_window.h"
#include "raster/image_insert.h"
#include "settings/plugin_settings.h"

// The plot base path, plot file type and world file extension that follow
// from the text of the "Plot file:" field and the plot device name.
struct PlotFileNames {
  std::string plotPath;            // full path without the plot file type's extension
  std::string plotFileType;        // kept when the device name holds no type word
  std::string worldFileExtension;  // "pgw", "jgw", "tfw", "esw"; "w" without a type
};

// An empty field stands for the drawing's own path without its extension.
void derivePlotFileNames(const std::string& deviceName, const std::string& plotFileText, PlotFileNames& names);

// A path that starts with a drive letter, a colon and a backslash (or slash).
bool isDriveLetterPath(const std::string& path);

// The main dialog's entries when the user confirms it.
struct CreateJob {
  std::string layerName;     // the image layer
  std::string deviceName;    // the page setup's plot device
  std::string plotFileText;  // the "Plot file:" field
  std::string plotFileType;  // derived before; kept when the device name holds no type word
  ProgramKind editor{};      // the "Editor:" list's choice
  ImageFormat pictureFormat{};  // the "File type:" list's choice; 0: none
  std::string pictureType;      // its extension, lower case
  // The GIMP location dialog: true when the settings know GIMP afterwards.
  std::function<bool()> locateGimp;
};

// True when the settings know GIMP's executable, after `locateGimp` (the
// GIMP location dialog) when they know none.
bool gimpLocated(const std::function<bool()>& locateGimp);

// The main dialog's OK: every check in its order with its message, the plot
// layers, the editor's create step, the wait for the editor, the picture and
// its insertion; then the settings are saved and the plot object released.
// `names` holds the plot file names once the plot path is checked. True when
// the dialog may close as confirmed; false leaves it open with the user's
// entries.
bool confirmCreate(const CreateJob& job, PlotFileNames& names);

// Converts the layered document "%s.psd" into the picture "%s.%s" with the
// editor (ProgramKind), then inserts the picture over `window` on
// `layerName` and writes the world file. A layered document or picture that
// is missing or cut off stops it with "ImageFileNotWritten" and its path
// (nothing is inserted); no other message of its own.
bool finishPicture(ProgramKind editor, const std::string& basePath, const std::string& pictureType,
                   const std::string& worldExtension, PlotWindow& window, const std::string& layerName,
                   const ImageOptions& options);
