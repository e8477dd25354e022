#pragma once
// The symbols a shared object exports: those readelf --dyn-syms lists as
// defined in it and visible to other modules.
#include <stdio.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace hatchtest {

inline std::set<std::string> ExportedSymbols(const std::string& library) {
  std::set<std::string> names;
  const std::string command = "readelf --dyn-syms -W '" + library + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> output(popen(command.c_str(), "r"), pclose);
  if (!output) return names;
  char line[4096];
  while (fgets(line, sizeof line, output.get())) {
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
