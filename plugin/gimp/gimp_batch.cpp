#include "gimp/gimp_batch.h"

#include <cctype>
#include <cstdio>
#include <initializer_list>

#include "frame/file_exists.h"
#include "frame/message_box.h"
#include "gimp/gimp_discovery.h"
#include "plot/plot_layers.h"
#include "settings/plugin_settings.h"

namespace {

constexpr const char* kConsoleWindowClass = "ConsoleWindowClass";
constexpr const char* kGimpWindowClass = "gdkWindowToplevel";

// Control characters have no place in a path or layer name, and a line
// break or a zero byte would not survive the command line.
bool isSafeText(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return false;
  return true;
}

// A program or file name that stands in double quotes on a command line: a
// double quote would end the argument early (a Windows name holds none) and
// a trailing backslash would escape the closing quote.
bool isQuotableName(const std::string& name) {
  return isSafeText(name) && name.find('"') == std::string::npos && (name.empty() || name.back() != '\\');
}

// A file handed to a program as an argument of its own: quotable, and not
// starting with "-", which the program would take for an option.
bool isFileArgument(const std::string& name) { return isQuotableName(name) && name.rfind('-', 0) != 0; }

// False after the message naming `text` when `safe` is false.
bool refuseUnless(bool safe, const std::string& text) {
  if (!safe) ShowCatalogueMessage(msg::kGimpTextNotSafe, MB_OK, text);
  return safe;
}

// A number or a symbol: the only unquoted values a call takes.
bool isPlainValue(const std::string& value) {
  if (value.empty()) return false;
  for (unsigned char c : value)
    if (!(std::isalnum(c) || c == '.' || c == '+' || c == '-' || c == '_' || c == '#')) return false;
  return true;
}

// Inside the quoted command-line argument a double quote is written \" and
// the backslashes right before it are doubled (Microsoft C runtime rules).
std::string escapeForCommandLine(const std::string& text) {
  std::string escaped;
  std::size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
    } else {
      if (c == '"') escaped.append(backslashes + 1, '\\');
      backslashes = 0;
    }
    escaped += c;
  }
  return escaped;
}

// Backslashes become forward slashes. Code page 1252 has single-byte
// characters only, so every backslash byte is a backslash.
std::string withForwardSlashes(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::string formatResolution(double pixelsPerInch) {
  char text[64];
  std::snprintf(text, sizeof text, "%lf", pixelsPerInch);
  return text;
}

// Code page 1252 -> UTF-8; "" when the conversion fails.
std::string ansiToUtf8(const std::string& text) {
  if (text.empty()) return text;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (wideLength <= 0) return "";
  std::u16string wide(static_cast<std::size_t>(wideLength), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return "";
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

// One layers file entry: the name as a Script-Fu string and a blank, in
// UTF-8 (unchanged when it cannot be converted).
std::string layersFileEntry(const std::string& name) {
  const std::string entry = scriptFuString(name) + " ";
  const std::string utf8 = ansiToUtf8(entry);
  return utf8.empty() ? entry : utf8;
}

struct CallArgument {
  ScriptFuArgKind kind;
  std::string value;
};

// The call of `procedure` with `arguments`; false after the message naming
// the first text that cannot be passed safely.
bool buildCall(ScriptFuCall& call, const char* procedure, std::initializer_list<CallArgument> arguments) {
  call.begin(procedure);
  for (const auto& argument : arguments) {
    if (!call.add(argument.kind, argument.value)) {
      ShowCatalogueMessage(msg::kGimpTextNotSafe, MB_OK, argument.value);
      return false;
    }
  }
  call.end();
  return true;
}

// The "Tavo-Imgcreate" call for the plot base path, plot type and resolution.
bool buildCreateCall(ScriptFuCall& call, const std::string& basePath, const std::string& plotType,
                     const std::string& resolution) {
  return buildCall(call, "Tavo-Imgcreate",
                   {{ScriptFuArgKind::Path, basePath},
                    {ScriptFuArgKind::String, plotType},
                    {ScriptFuArgKind::Path, layersFileName(basePath)},
                    {ScriptFuArgKind::Value, resolution}});
}

bool layerNamesAreSafe(const std::vector<std::string>& names) {
  for (const auto& name : names) {
    if (!isSafeText(name)) {
      ShowCatalogueMessage(msg::kGimpTextNotSafe, MB_OK, name);
      return false;
    }
  }
  return true;
}

// Creates or truncates the layers file and writes the list into it; a file
// that could not be written completely is removed again.
bool writeLayersFile(const std::string& path, const std::vector<std::string>& names) {
  HANDLE ssLoadFile =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ssLoadFile == INVALID_HANDLE_VALUE) return false;
  const std::string content = layersFileContent(names);
  DWORD written = 0;
  const bool complete = WriteFile(ssLoadFile, content.data(), static_cast<DWORD>(content.size()), &written,
                                  nullptr) &&
                        written == content.size();
  CloseHandle(ssLoadFile);
  if (!complete) DeleteFileA(path.c_str());
  return complete;
}

void showWindowOfClass(const char* windowClass, int command) {
  if (HWND window = FindWindowA(windowClass, nullptr)) ShowWindow(window, command);
}

// Waits until the started GIMP has ended, arranging its windows once it is
// idle, and closes its handles.
void waitForGimp(PROCESS_INFORMATION& processInfo, bool hideConsole) {
  WaitForInputIdle(processInfo.hProcess, INFINITE);
  if (hideConsole) showWindowOfClass(kConsoleWindowClass, SW_HIDE);
  showWindowOfClass(kGimpWindowClass, SW_RESTORE);
  WaitForSingleObject(processInfo.hProcess, INFINITE);
  CloseHandle(processInfo.hProcess);
  CloseHandle(processInfo.hThread);
}

// Starts GIMP with the call text and waits for it; false after
// "GimpNotAvailable" when it cannot start.
bool runGimp(const std::string& callText, const char* option, bool hideConsole) {
  if (!refuseUnless(isQuotableName(theSettings.gimpExecutable), theSettings.gimpExecutable)) return false;
  PROCESS_INFORMATION processInfo{};
  if (!startGimp(theSettings.gimpExecutable, callText, option, processInfo)) {
    ShowCatalogueMessage(msg::kGimpNotAvailable);
    return false;
  }
  waitForGimp(processInfo, hideConsole);
  return true;
}

}  // namespace

// ---- Script-Fu calls ----

std::string scriptFuString(const std::string& text) {
  std::string literal = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') literal += '\\';
    literal += c;
  }
  return literal + "\"";
}

void ScriptFuCall::begin(const std::string& procedure) { m_text = "\"(" + procedure + " "; }

bool ScriptFuCall::add(ScriptFuArgKind kind, const std::string& value) {
  std::string argument;
  switch (kind) {
    case ScriptFuArgKind::String:
    case ScriptFuArgKind::Path:
      if (!isSafeText(value)) return false;
      // A Windows path holds no double quote.
      if (kind == ScriptFuArgKind::Path && value.find('"') != std::string::npos) return false;
      argument = escapeForCommandLine(scriptFuString(kind == ScriptFuArgKind::Path ? withForwardSlashes(value) : value));
      break;
    case ScriptFuArgKind::Value:
      if (!isPlainValue(value)) return false;
      argument = value;
      break;
    case ScriptFuArgKind::ListBegin:
      argument = "'(";
      break;
    case ScriptFuArgKind::ListEnd:
      argument = ")";
      break;
    default:
      return false;
  }
  m_text += argument + " ";
  return true;
}

void ScriptFuCall::end() { m_text += ")\""; }

// ---- Layers file ----

std::string layersFileName(const std::string& basePath) { return basePath + "(Layers).load"; }

std::string layersFileContent(const std::vector<std::string>& layerNames) {
  std::string content = "(set! layers '(";
  for (const auto& name : layerNames) content += layersFileEntry(name);
  return content + "))";
}

// ---- GIMP ----

std::string gimpCommandLine(const std::string& gimpExecutable, const std::string& callText, const char* option) {
  std::string commandLine = "\"" + gimpExecutable + "\" ";
  if (option && *option) commandLine += std::string(option) + " ";
  return commandLine + "--batch " + callText;
}

bool startGimp(const std::string& gimpExecutable, const std::string& callText, const char* option,
               PROCESS_INFORMATION& processInfo) {
  STARTUPINFOA startupInfo{};
  startupInfo.cb = sizeof startupInfo;
  processInfo = PROCESS_INFORMATION{};
  if (!isQuotableName(gimpExecutable)) return false;
  const std::string StartIn = gimpBinFolder(gimpExecutable);
  std::string Target = gimpCommandLine(gimpExecutable, callText, option);
  return CreateProcessA(nullptr, Target.data(), nullptr, nullptr, FALSE, 0, nullptr, StartIn.c_str(), &startupInfo,
                        &processInfo) != FALSE;
}

bool gimpCreate(const LayerPlots& plots) {
  const std::string layersFile = layersFileName(plots.basePath);
  ScriptFuCall batchCmd;
  if (!buildCreateCall(batchCmd, plots.basePath, plots.plotType, formatResolution(plots.psResolution)) ||
      !layerNamesAreSafe(plots.layerNames))
    return false;
  if (!writeLayersFile(layersFile, plots.layerNames)) {
    ShowCatalogueMessage(msg::kFailedToCreateTempFile, MB_OK, layersFile);
    return false;
  }
  const bool ran = runGimp(batchCmd.text(), "--verbose", true);
  DeleteFileA(layersFile.c_str());
  return ran;
}

bool gimpTextsSafe(const std::string& basePath, const std::string& plotType,
                   const std::vector<std::string>& layerNames) {
  ScriptFuCall call;
  return buildCreateCall(call, basePath, plotType, "0") && layerNamesAreSafe(layerNames);
}

bool gimpConvert(const std::string& basePath, const std::string& pictureType) {
  ScriptFuCall batchCmd1;
  ScriptFuCall batchCmd2;
  if (!buildCall(batchCmd1, "Tavo-Imgconvert",
                 {{ScriptFuArgKind::Path, basePath}, {ScriptFuArgKind::String, pictureType}}) ||
      !buildCall(batchCmd2, "gimp-quit", {{ScriptFuArgKind::Value, "0"}}))
    return false;
  return runGimp(batchCmd1.text() + " " + batchCmd2.text(), "--no-splash", false);
}

void gimpEdit(const std::string& basePath, const std::string& pictureType) {
  const std::string lPsdFile = basePath + ".psd";
  const std::string lRasterFile = basePath + "." + pictureType;
  const bool editsPsd = FileExists(lPsdFile);
  const std::string& editedFile = editsPsd ? lPsdFile : lRasterFile;
  // Refused before anything starts; the image is then reloaded unchanged.
  if (!refuseUnless(isQuotableName(theSettings.gimpExecutable), theSettings.gimpExecutable) ||
      !refuseUnless(isFileArgument(editedFile), editedFile))
    return;
  std::string cmdLine = "\"" + theSettings.gimpExecutable + "\" \"" + editedFile + "\"";
  const std::string StartIn = gimpBinFolder(theSettings.gimpExecutable);
  STARTUPINFOA startupInfo{};
  startupInfo.cb = sizeof startupInfo;
  PROCESS_INFORMATION processInfo{};
  const bool started = CreateProcessA(nullptr, cmdLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                      StartIn.c_str(), &startupInfo, &processInfo) != FALSE;
  // GIMP is waited for through its process; the hook wait is the photo editor's.
  if (started) {
    WaitForSingleObject(processInfo.hProcess, INFINITE);
    CloseHandle(processInfo.hProcess);
    CloseHandle(processInfo.hThread);
  }
  if (editsPsd) gimpConvert(basePath, pictureType);
}
