#pragma once
// Driving GIMP through its command line: Script-Fu calls after "--batch",
// the layers file that names the plot layers, and the three operations of
// the create and edit workflows. Each blocks until GIMP's process has ended.
#include <windows.h>

#include <string>
#include <vector>

#include "plot/plot_layers.h"

// The kinds of argument a Script-Fu call takes, with their codes.
enum class ScriptFuArgKind : int {
  String = 200,     // \"text\"
  Value = 202,      // a number or symbol, unchanged
  ListBegin = 204,  // '(
  Path = 208,       // a Windows path with forward slashes, as a string
  ListEnd = 216,    // )
};

// One Script-Fu procedure call as one quoted command-line argument, e.g.
//   "(Tavo-Imgconvert \"D:/work/site\" \"tif\" )"
// Every embedded text is escaped twice: for the Script-Fu string (\ and ")
// and for the command line (Microsoft C runtime rules), so no value can end
// its string and run as code.
class ScriptFuCall {
 public:
  void begin(const std::string& procedure);
  // Appends one argument and a blank. False, appending nothing, for an
  // unknown kind or a value that cannot be passed safely (control
  // characters; a double quote in a Path; a Value that is not a plain
  // number or symbol).
  bool add(ScriptFuArgKind kind, const std::string& value);
  void end();
  const std::string& text() const { return m_text; }

 private:
  std::string m_text;
};

// The Script-Fu string literal of `text`: in double quotes, with \ and "
// escaped ("a\"b" for a"b).
std::string scriptFuString(const std::string& text);

// The layers file of a plot base path: "%s(Layers).load".
std::string layersFileName(const std::string& basePath);
// Its content for the layer names (code page 1252), in UTF-8 and without
// line breaks: (set! layers '("0" "Walls" ))
std::string layersFileContent(const std::vector<std::string>& layerNames);

// The command line of startGimp: "\"%s\" %s --batch %s" (executable,
// option, call text), or without the option when it is null or empty.
std::string gimpCommandLine(const std::string& gimpExecutable, const std::string& callText, const char* option);

// Starts `gimpExecutable` with `option` (none when null or empty), "--batch"
// and `callText`, in the executable's folder. The result of CreateProcessA;
// `processInfo` holds the new handles only when it is true. False, starting
// nothing, for an executable that cannot stand in double quotes.
bool startGimp(const std::string& gimpExecutable, const std::string& callText, const char* option,
               PROCESS_INFORMATION& processInfo);

// "Tavo-Imgcreate": stacks the plot files of `plots` into "%s.psd" (base
// path) and waits until GIMP has ended. The layers file is
// removed on every path. False after a message when the layers file cannot
// be written, a name or path cannot be passed safely, or GIMP cannot start.
bool gimpCreate(const LayerPlots& plots);

// Whether gimpCreate can pass the plot base path, the plot type, the layers
// file's path and the layer names to GIMP; false after "GimpTextNotSafe"
// with the first text that it cannot. The create workflow asks before it
// plots, so a refused run leaves no file.
bool gimpTextsSafe(const std::string& basePath, const std::string& plotType,
                   const std::vector<std::string>& layerNames);

// "Tavo-Imgconvert" then "gimp-quit": writes "%s.%s" (basePath, pictureType)
// from "%s.psd". False after "GimpNotAvailable" when GIMP cannot start, or
// after "GimpTextNotSafe" for a text that cannot be passed safely.
bool gimpConvert(const std::string& basePath, const std::string& pictureType);

// Opens "%s.psd" when it exists, else "%s.%s", in GIMP for the user; after
// GIMP has ended, converts an edited PSD back with gimpConvert. An executable
// or file that cannot be passed safely on the command line (a double quote,
// a control character, a trailing backslash, a leading "-") is refused with
// "GimpTextNotSafe" before anything starts.
void gimpEdit(const std::string& basePath, const std::string& pictureType);
