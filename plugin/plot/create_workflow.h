#pragma once
// "TAVO_IMGCREATE" once the main dialog is confirmed: the checks of the
// entries, the layer plots, the editor's layered document, the picture and
// its insertion into the drawing.
#include <string>

#include "plot/plot_window.h"

class CMoXIDialog;

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

// The main dialog's OK: every check in its order with its message, the plot
// layers, the editor's create step, the wait for the editor, the picture and
// its insertion; then the settings are saved and the plot object released.
// True when the dialog may close as confirmed; false leaves it open with the
// user's entries.
bool confirmCreate(CMoXIDialog& dialog);

// The image options of the settings.
struct ImageOptions {
  bool sendToBack = false;
  bool frame = false;
  bool transparent = false;
};

// Converts the layered document "%s.psd" into the picture "%s.%s" with the
// editor (ProgramKind), then inserts the picture over `window` on
// `layerName` and writes the world file. A layered document or picture that
// is missing or cut off stops it with "ImageFileNotWritten" and its path
// (nothing is inserted); no other message of its own.
bool finishPicture(int editor, const std::string& basePath, const std::string& pictureType,
                   const std::string& worldExtension, PlotWindow& window, const std::string& layerName,
                   const ImageOptions& options);

// The GIMP location dialog when the settings know no GIMP executable; true
// when they know one afterwards.
bool ensureGimpLocation();
