#include "gimp/gimp_batch.h"

// Bodies follow; until then every operation reports that GIMP did not run.
void ScriptFuCall::begin(const std::string&) {}
bool ScriptFuCall::add(ScriptFuArgKind, const std::string&) { return false; }
void ScriptFuCall::end() {}
std::string scriptFuString(const std::string& text) { return text; }
std::string layersFileName(const std::string& basePath) { return basePath + "(Layers).load"; }
std::string layersFileContent(const std::vector<std::string>&) { return "(set! layers '())"; }
bool startGimp(const std::string&, const std::string&, const char*, PROCESS_INFORMATION&) { return false; }
bool gimpCreate(const std::string&, const std::string&) { return false; }
bool gimpConvert(const std::string&, const std::string&) { return false; }
bool gimpEdit(const std::string&, const std::string&) { return true; }
