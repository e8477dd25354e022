#include "host.h"

#include <ui/scripted_driver.h>
#include <ui/windowed_driver.h>
#include <win32/posix.h>
#include <win32/modules.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "actions.h"
#include "record_text.h"

namespace hatchhost {
namespace {

void Say(const std::string& text) { ui::driver().commandLine("hatch-host: " + text + "\n"); }

void WINAPI HelpRequested(TSchraffurRecord*) { Say("help requested"); }

void WINAPI OptionsCancelled(TSchraffurRecord*) { Say("options cancelled, saved boundary options restored"); }

bool ReadRecordFile(const std::string& path, HostRecord& host, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read the record file " + path;
    return false;
  }
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!host.setLine(line, error)) {
      error = path + " line " + std::to_string(number) + ": " + error;
      return false;
    }
  }
  return true;
}

bool FillRecord(const Options& options, HostRecord& host, std::string& error) {
  if (!options.recordFile.empty() && !ReadRecordFile(options.recordFile, host, error)) return false;
  for (const auto& set : options.sets)
    if (!host.setLine(set, error)) return false;
  host.record().HelpProc = HelpRequested;
  host.record().OptionsCancelProc = OptionsCancelled;
  return true;
}

// The boundary options in effect when the form is shown are the ones a
// cancelled options form restores.
void SaveBoundaryOptions(TSchraffurRecord& r) {
  r.SavedHatchStyle = r.HatchStyle;
  r.SavedFromBoundary = r.FromBoundary;
  r.SavedIslandDetection = r.IslandDetection;
}

// Calls DoSchraff until apply (with an accepted pattern name) or cancel.
int CallUntilDone(TDoSchraff doSchraff, HostRecord& host, int maxCalls) {
  TSchraffurRecord& r = host.record();
  for (int call = 1; call <= maxCalls; ++call) {
    SaveBoundaryOptions(r);
    doSchraff(&r);
    Say("call " + std::to_string(call) + ": ExitReason " + std::to_string(r.ExitReason) + ", Action " +
        std::to_string(r.Action));
    if (r.ExitReason == seAbbruch) return kExitCancelled;
    if (r.ExitReason == seAnwenden && (r.Action != saMusterPruefen || r.PatternType != 2 || CheckPatternName(host)))
      return kExitApplied;
    if (r.ExitReason == seAktion) CarryOut(host);
  }
  Say("no end after " + std::to_string(maxCalls) + " calls");
  return kExitFailed;
}

std::string Take(const std::vector<std::string>& args, size_t& i) { return i + 1 < args.size() ? args[++i] : ""; }

// --ui as given, else windows with a display and no answers file.
bool ChooseUserInterface(const std::string& ui, Options& options, std::string& error) {
  if (!ui.empty() && !ui::userInterfaceNamed(ui)) return error = "--ui takes windows or script, not " + ui, false;
  const bool windows = ui.empty() ? ui::defaultUserInterface(!options.answers.empty(), std::getenv("DISPLAY")) ==
                                        ui::UserInterface::Windows
                                  : ui == "windows";
  options.ui = windows ? "windows" : "script";
  if (windows && !options.answers.empty()) return error = "--answers is for --ui script", false;
  if (!windows && !options.recordAnswers.empty())
    return error = "--record-answers writes the answers a person gives with --ui windows", false;
  return true;
}

std::unique_ptr<ui::ScriptedDriver> MakeDriver(const Options& options) {
  if (options.ui != "windows")
    return options.answers.empty() ? ui::ScriptedDriver::fromText("") : ui::ScriptedDriver::fromFile(options.answers);
  ui::WindowedFileSystem fileSystem;
  fileSystem.posixPath = [](const std::string& path) { return win32::ToPosixPath(path); };
  fileSystem.windowsPath = [](const std::string& path) { return win32::ToWindowsPath(path); };
  auto driver = ui::WindowedDriver::open(fileSystem);
  if (!options.recordAnswers.empty()) driver->recordAnswersTo(options.recordAnswers);
  return driver;
}

}  // namespace

std::string Usage() {
  return "usage: hatch-host [--ui windows|script] [--answers FILE] [--record-answers FILE] [--transcript FILE]\n"
         "                  [--record FILE] [--set FIELD=VALUE]... [--library FILE] [--max-calls N]\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
  std::string ui;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* target = arg == "--answers"          ? &options.answers
                          : arg == "--transcript"     ? &options.transcript
                          : arg == "--record"         ? &options.recordFile
                          : arg == "--library"        ? &options.library
                          : arg == "--ui"             ? &ui
                          : arg == "--record-answers" ? &options.recordAnswers
                                                      : nullptr;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (target || arg == "--set" || arg == "--max-calls") {
      std::string value = Take(args, i);
      if (value.empty()) return error = arg + " needs a value", false;
      if (target) *target = value;
      else if (arg == "--set") options.sets.push_back(value);
      else if ((options.maxCalls = std::atoi(value.c_str())) <= 0) return error = "bad --max-calls " + value, false;
    } else {
      return error = "unknown argument " + arg, false;
    }
  }
  return ChooseUserInterface(ui, options, error);
}

int Run(const Options& options) {
  std::unique_ptr<ui::ScriptedDriver> driver;
  try {
    driver = MakeDriver(options);
    if (!options.transcript.empty()) driver->writeTranscriptTo(options.transcript);
  } catch (const ui::AnswersError& e) {
    std::fprintf(stderr, "hatch-host: %s\n", e.what());
    return kExitUsage;
  }
  ui::setDriver(std::move(driver));

  HostRecord host;
  std::string error;
  if (!FillRecord(options, host, error)) {
    std::fprintf(stderr, "hatch-host: %s\n", error.c_str());
    return kExitUsage;
  }
  HMODULE library = LoadLibraryA(options.library.c_str());
  auto doSchraff = library ? reinterpret_cast<TDoSchraff>(
                                 reinterpret_cast<void*>(GetProcAddress(library, "DoSchraff")))
                           : nullptr;
  if (!doSchraff) {
    std::fprintf(stderr, "hatch-host: cannot use %s: %s\n", options.library.c_str(),
                 library ? "it has no DoSchraff" : win32::LastLoadErrorText().c_str());
    if (library) FreeLibrary(library);
    return kExitFailed;
  }
  const int result = CallUntilDone(doSchraff, host, options.maxCalls);
  FreeLibrary(library);
  std::fputs(host.text().c_str(), stdout);
  return result;
}

}  // namespace hatchhost
