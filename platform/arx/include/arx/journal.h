#pragma once
// Stand-in extras for tests: the journal of the editor calls that modules
// make, in order, and controls that make the next such call fail.
#include <string>
#include <vector>

namespace arx {

class Journal {
 public:
  void add(const std::string& entry);
  std::vector<std::string> entries() const;
  // All entries, one a line.
  std::string text() const;
  void clear();

 private:
  std::vector<std::string> m_entries;
};

// The journal of this process. Entries read like "addCommand
// RASTERWERK_Group_ TAVO_IMGCREATE" or "acrxEntryPoint TestApp.arx
// kInitAppMsg"; a module may add its own.
Journal& journal();

// Makes the next `times` calls of `call` fail as the editor would fail them.
// Calls: "loadModule", "unloadModule", "unlockApplication",
// "acrxRegisterAppMDIAware", "addCommand", "removeGroup", "acedDefun",
// "acedUndef", "acedRegFunc", "acedInvoke", "acutBuildList", "acutNewRb".
void failNext(const std::string& call, int times = 1);
void clearFailures();

}  // namespace arx
