#include "gimp/gimp_discovery.h"

// Bodies follow.
std::string gimpScriptsFolder(const std::string&) { return ""; }
bool ensureGimpScript(const std::string&, HWND) { return false; }
