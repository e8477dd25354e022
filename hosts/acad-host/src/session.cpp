#include "session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include <afxwin.h>

#include <PhotoshopTypeLibrary.h>
#include <com/registry.h>

#include "adslib.h"
#include "arx/automation.h"
#include "arx/host.h"
#include "arx/journal.h"
#include "exit_codes.h"
#include "host_commands.h"
#include "script_runner.h"
#include "mfc/automation.h"
#include "ui/scripted_driver.h"
#include "ui/windowed_driver.h"
#include "win32/posix.h"
#include <windows.h>

namespace acadhost {
namespace {

// The companion LISP library and the application, found beside the program.
constexpr const char* kCompanionModule = "companions-lisp.arx";
constexpr const char* kApplicationModule = "MoXi.arx";
// The photo editor's automation server, installed beside the program.
constexpr const char* kPhotoEditorModule = "libphotoshop.so";

void complain(const std::string& text) { std::fprintf(stderr, "acad-host: %s\n", text.c_str()); }

// The program's own folder as a Windows path ending with a backslash.
std::string programFolder() {
  char path[4096] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The windowed driver's file dialog sees the drives of the drive map.
ui::WindowedFileSystem driveMapFileSystem() {
  ui::WindowedFileSystem fileSystem;
  fileSystem.drives = [] {
    std::vector<std::pair<char, std::string>> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
      if (const auto folder = win32::DriveFolder(letter)) drives.emplace_back(letter, *folder);
    return drives;
  };
  fileSystem.posixPath = [](const std::string& path) { return win32::ToPosixPath(path); };
  fileSystem.windowsPath = [](const std::string& path) { return win32::ToWindowsPath(path); };
  return fileSystem;
}

std::unique_ptr<ui::ScriptedDriver> makeDriver(const Options& options) {
  const auto chosen = options.ui.empty()
                          ? ui::defaultUserInterface(!options.answers.empty(), std::getenv("DISPLAY"))
                          : *ui::userInterfaceNamed(options.ui);
  if (chosen == ui::UserInterface::Script) {
    if (!options.record.empty()) throw ui::AnswersError("--record writes the answers a person gives with --ui windows");
    return options.answers.empty() ? ui::ScriptedDriver::fromText("") : ui::ScriptedDriver::fromFile(options.answers);
  }
  auto driver = ui::WindowedDriver::open(driveMapFileSystem());
  if (!options.record.empty()) driver->recordAnswersTo(options.record);
  if (!options.transcript.empty()) driver->echoCommandLineTo(stdout);
  return driver;
}

bool installDriver(const Options& options) {
  try {
    auto driver = makeDriver(options);
    if (!options.transcript.empty()) driver->writeTranscriptTo(options.transcript);
    ui::setDriver(std::move(driver));
    return true;
  } catch (const ui::AnswersError& error) {
    complain(error.what());
    return false;
  }
}

bool mapDrives(const Options& options) {
  for (const auto& drive : options.drives) {
    const std::string folder = std::filesystem::absolute(drive.folder).lexically_normal().string();
    if (!std::filesystem::is_directory(folder) || !win32::MapDrive(drive.letter, folder)) {
      complain(std::string("cannot map drive ") + drive.letter + ": to " + drive.folder);
      return false;
    }
  }
  // Programs the modules start see the same drives.
  setenv(win32::kDriveMapVariable, win32::SerialiseDriveMap().c_str(), 1);
  return true;
}

// The user's folder: --user-dir, or $HOME/.config/rasterwerk; created when missing.
bool setUserDirectory(const Options& options) {
  const char* home = std::getenv("HOME");
  const std::filesystem::path folder =
      !options.userDirectory.empty() ? std::filesystem::absolute(options.userDirectory)
      : home != nullptr && *home != '\0' ? std::filesystem::path(home) / ".config" / "rasterwerk"
                                         : std::filesystem::current_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder)) {
    complain("cannot create the user folder " + folder.string());
    return false;
  }
  arx::setUserDirectory(win32::ToWindowsPath(folder.lexically_normal().string()));
  return true;
}

// The COM servers: the photo editor beside the program when it is there,
// then --com-server in order; a server module loads when its class is first
// created.
bool registerComServers(const Options& options) {
  const std::string photoEditor = programFolder() + kPhotoEditorModule;
  if (GetFileAttributesA(photoEditor.c_str()) != INVALID_FILE_ATTRIBUTES) {
    com::RegisterServerModule(CLSID_PhotoshopApplication, photoEditor);
  }
  for (const ComServer& server : options.comServers) {
    CLSID clsid{};
    if (!com::ParseGuid(server.clsid, clsid)) {
      complain("bad class id for --com-server: \"" + server.clsid + "\"");
      return false;
    }
    if (server.module == "none") {
      com::UnregisterServer(clsid);
    } else {
      com::RegisterServerModule(clsid, win32::ToWindowsPath(std::filesystem::absolute(server.module).string()));
    }
  }
  return true;
}

// The modules in load order, as Windows paths.
std::vector<std::string> modulesToLoad(const Options& options) {
  std::vector<std::string> modules;
  const std::string folder = programFolder();
  const std::string companion = folder + kCompanionModule;
  if (options.loadCompanion && GetFileAttributesA(companion.c_str()) != INVALID_FILE_ATTRIBUTES) {
    modules.push_back(companion);
  }
  for (const auto& module : options.modules) modules.push_back(win32::ToWindowsPath(module));
  if (options.loadApplication) {
    modules.push_back(options.application.empty() ? folder + kApplicationModule
                                                  : win32::ToWindowsPath(options.application));
  }
  return modules;
}

bool loadModules(const Options& options) {
  for (const auto& module : modulesToLoad(options)) {
    const arx::LoadResult result = arx::loadApplication(module);
    if (!result.ok) {
      acutPrintf("%s\n", result.error.c_str());
      complain(result.error);
      return false;
    }
  }
  return true;
}

int runScript(const Options& options) {
  ScriptRunner runner;
  if (options.script.empty()) return runner.runAll(std::cin) == 0 ? kExitOk : kExitScript;
  std::ifstream script(options.script);
  if (!script) {
    complain("cannot read the script " + options.script);
    return kExitUsage;
  }
  return runner.runAll(script) == 0 ? kExitOk : kExitScript;
}

void writeJournal(const Options& options) {
  if (options.journal.empty()) return;
  std::ofstream out(options.journal, std::ios::trunc);
  out << arx::journal().text();
  if (!out) complain("cannot write the journal " + options.journal);
}

void warnAboutUnusedAnswers() {
  auto* scripted = dynamic_cast<ui::ScriptedDriver*>(&ui::driver());
  if (scripted == nullptr) return;
  for (const auto& answer : scripted->remainingAnswers()) {
    complain("answer on line " + std::to_string(answer.line) + " (" + answer.kind + ") was not used");
  }
}

// Everything after the modules are loaded; they are unloaded whatever happens.
int runLoaded(const Options& options) {
  std::string error;
  if (!options.drawing.empty() && !openDrawingFile(options.drawing, error)) {
    complain("cannot open the drawing " + error);
    return kExitDrawing;
  }
  const int scriptResult = runScript(options);
  if (!options.saveAs.empty() && !saveDrawingFile(options.saveAs, error)) {
    complain("cannot save the drawing as " + error);
    return kExitDrawing;
  }
  if (scriptResult == kExitScript) complain("some script lines failed (see the transcript)");
  return scriptResult;
}

// The editor's application object (acedGetAcadWinApp()) for the length of a
// session, handing out the editor's automation interface, and its main frame
// window (acedGetAcadFrame()), which owns the editor's dialogs.
class EditorApplication {
 public:
  EditorApplication() : m_app("acad") {
    mfc::SetAutomationObject(m_app, arx::applicationDispatch());
    arx::setAcadWinApp(&m_app);
    if (m_frame.Create(nullptr, "acad-host")) {
      m_app.m_pMainWnd = &m_frame;
      arx::setAcadFrame(&m_frame);
    }
  }
  ~EditorApplication() {
    arx::setAcadFrame(nullptr);
    m_app.m_pMainWnd = nullptr;
    m_frame.DestroyWindow();
    arx::setAcadWinApp(nullptr);
  }
  EditorApplication(const EditorApplication&) = delete;
  EditorApplication& operator=(const EditorApplication&) = delete;

 private:
  CWinApp m_app;
  CMDIFrameWnd m_frame;
};

}  // namespace

int runSession(const Options& options) {
  const EditorApplication application;
  if (!installDriver(options)) return kExitUsage;
  if (!mapDrives(options)) return kExitUsage;
  if (!setUserDirectory(options)) return kExitUsage;
  if (!registerComServers(options)) return kExitUsage;
  int result = loadModules(options) ? runLoaded(options) : kExitModule;
  arx::unloadAllApplications();
  warnAboutUnusedAnswers();
  writeJournal(options);
  ui::setDriver(nullptr);  // writes a partial last command line and closes the transcript
  return result;
}

}  // namespace acadhost
