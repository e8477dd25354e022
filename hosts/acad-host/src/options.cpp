#include "options.h"

#include <map>

namespace acadhost {
namespace {

bool parseDrive(const std::string& value, DriveMapping& drive) {
  if (value.size() < 3 || value[1] != '=') return false;
  const char letter = value[0];
  if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return false;
  drive = {letter, value.substr(2)};
  return true;
}

// Stores the value of an option that takes one; false when it is malformed.
bool applyValue(const std::string& option, const std::string& value, Options& options) {
  const std::map<std::string, std::string*> simple = {
      {"--script", &options.script},       {"--answers", &options.answers},
      {"--transcript", &options.transcript}, {"--journal", &options.journal},
      {"--user-dir", &options.userDirectory}, {"--save-as", &options.saveAs},
      {"--record", &options.record}};
  if (option == "--ui") {
    options.ui = value;
    return value == "script" || value == "windows";
  }
  if (auto it = simple.find(option); it != simple.end()) {
    *it->second = value;
    return !value.empty();
  }
  if (option == "--module") {
    options.modules.push_back(value);
    return !value.empty();
  }
  if (option == "--app") {
    options.loadApplication = value != "none";
    options.application = options.loadApplication ? value : "";
    return !value.empty();
  }
  if (option == "--com-server") {
    const std::string::size_type equals = value.find('=');
    if (equals == std::string::npos || equals + 1 == value.size()) return false;
    options.comServers.push_back({value.substr(0, equals), value.substr(equals + 1)});
    return true;
  }
  DriveMapping drive;
  if (option == "--drive" && parseDrive(value, drive)) {
    options.drives.push_back(drive);
    return true;
  }
  return false;
}

bool takesValue(const std::string& option) {
  for (const char* name : {"--script", "--answers", "--transcript", "--journal", "--drive", "--user-dir",
                           "--module", "--app", "--save-as", "--com-server", "--ui", "--record"}) {
    if (option == name) return true;
  }
  return false;
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& arguments, std::string& error) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--no-companion") {
      options.loadCompanion = false;
    } else if (takesValue(argument)) {
      if (i + 1 >= arguments.size()) return error = argument + " needs a value", std::nullopt;
      if (!applyValue(argument, arguments[++i], options)) {
        return error = "bad value for " + argument + ": \"" + arguments[i] + "\"", std::nullopt;
      }
    } else if (argument.starts_with("--")) {
      return error = "unknown option " + argument, std::nullopt;
    } else if (options.drawing.empty()) {
      options.drawing = argument;
    } else {
      return error = "only one drawing can be given (\"" + argument + "\")", std::nullopt;
    }
  }
  if (!options.answers.empty() && options.ui == "windows")
    return error = "--answers is for --ui script: with windows a person answers", std::nullopt;
  if (!options.record.empty() && (options.ui == "script" || !options.answers.empty()))
    return error = "--record writes the answers a person gives with --ui windows", std::nullopt;
  return options;
}

std::string usage() {
  return "usage: acad-host [--script FILE] [--ui windows|script] [--answers FILE] [--record FILE]\n"
         "                 [--transcript FILE] [--journal FILE]\n"
         "                 [--drive L=DIR]... [--user-dir DIR] [--module FILE]... [--app FILE|none]\n"
         "                 [--no-companion] [--com-server CLSID=FILE|none]... [--save-as FILE] [DRAWING]\n";
}

}  // namespace acadhost
