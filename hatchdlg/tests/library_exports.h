#pragma once
// The symbols a shared object exports: those readelf --dyn-syms lists as
// defined in it and visible to other modules.
#include <set>
#include <sstream>
#include <string>

#include "testing/command.h"

namespace hatchtest {

inline std::set<std::string> ExportedSymbols(const std::string& library) {
  std::set<std::string> names;
  std::string output;
  rwtest::runCommand("readelf --dyn-syms -W '" + library + "'", output);
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    // "  5: 00001234  42 FUNC GLOBAL DEFAULT 12 DoSchraff"
    std::istringstream fields(line);
    std::string number, value, size, type, bind, visibility, section, name;
    if (!(fields >> number >> value >> size >> type >> bind >> visibility >> section >> name)) continue;
    if (number.back() != ':' || section == "UND" || section == "Ndx" || bind == "LOCAL") continue;
    if (visibility != "DEFAULT" && visibility != "PROTECTED") continue;
    names.insert(name.substr(0, name.find('@')));
  }
  return names;
}

}  // namespace hatchtest
