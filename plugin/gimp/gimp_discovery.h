#pragma once
// Finding GIMP's Script-Fu scripts folder from the path of its executable,
// and installing the script "Rasterwerk.scm" there before a GIMP create.
#include <windows.h>

#include <string>

// The executable's folder with a trailing backslash: GIMP's current folder.
std::string gimpBinFolder(const std::string& gimpExecutable);

// "<bin folder>..\share\gimp\<version>\scripts\" for the executable
// "<bin folder>gimp-<version>.exe", the ".." kept. When that version folder
// does not exist, the first sub-folder of "..\share\gimp\" names the version;
// when there is none either, the version from the executable's name stays.
std::string gimpScriptsFolder(const std::string& gimpExecutable);

// True when "Rasterwerk.scm" is in the scripts folder, or when the user
// answers Yes to "ScmFileNotFound" (owned by `owner`) and the script is then
// copied from the plug-in's folder (a failed copy is not reported). False for
// No or Cancel: the create workflow ends there.
bool ensureGimpScript(const std::string& gimpExecutable, HWND owner);
