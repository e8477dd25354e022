#pragma once
// The command line of acad-host.
#include <optional>
#include <string>
#include <vector>

namespace acadhost {

struct DriveMapping {
  char letter = 0;
  std::string folder;  // POSIX folder
};

// A COM server the host registers: the module (POSIX path) serving a class,
// or none, which takes the class out.
struct ComServer {
  std::string clsid;  // "{6DECC242-87EF-11CF-86B4-444553540000}"
  std::string module;  // "none": not installed
};

struct Options {
  std::string script;      // empty: commands come from standard input
  std::string answers;     // empty: no scripted answers
  std::string ui;          // "script", "windows"; empty: chosen by the display and the answers
  std::string record;      // empty: the answers of a windowed run are not written
  std::string transcript;  // empty: the transcript goes to standard output
  std::string journal;     // empty: the journal is not written
  std::vector<DriveMapping> drives;
  std::string userDirectory;
  std::vector<std::string> modules;  // loaded before the application, in order
  std::vector<ComServer> comServers;  // after the photo editor's default, in order
  std::string application;           // empty: MoXi.arx beside the program
  bool loadApplication = true;       // false with "--app none"
  bool loadCompanion = true;
  std::string saveAs;
  std::string drawing;
  bool help = false;
};

// The options, or nothing after writing why the command line is wrong to `error`.
std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error);
std::string usage();

}  // namespace acadhost
