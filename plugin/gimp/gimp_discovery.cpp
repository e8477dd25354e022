#include "gimp/gimp_discovery.h"

#include <shlwapi.h>

#include "frame/file_exists.h"
#include "frame/message_box.h"
#include "frame/message_catalogue.h"
#include "settings/plugin_settings.h"

namespace {

constexpr const char* kScriptName = "Rasterwerk.scm";

// "2.2" for "...\gimp-2.2.exe": the file name without its extension, cut
// after its last "-".
std::string versionNameOf(const std::string& gimpExecutable) {
  char name[MAX_PATH + 1] = {};
  gimpExecutable.copy(name, MAX_PATH);
  PathStripPathA(name);
  PathRemoveExtensionA(name);
  const std::string version = name;
  const std::size_t dash = version.rfind('-');
  return dash == std::string::npos ? version : version.substr(dash + 1);
}

std::string dataFolderOf(const std::string& binFolder) { return binFolder + "..\\share\\gimp\\"; }

// Whether the data folder holds an entry named `version` (a file counts).
bool versionExists(const std::string& binFolder, const std::string& version) {
  char probe[MAX_PATH + 1] = {};
  binFolder.copy(probe, MAX_PATH);
  PathAppendA(probe, dataFolderOf(binFolder).c_str());
  PathAppendA(probe, version.c_str());
  return PathFileExistsA(probe) != FALSE;
}

bool isSubFolder(const WIN32_FIND_DATAA& entry) {
  const std::string name = entry.cFileName;
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..";
}

// The first sub-folder of the data folder in listing order; "" when there is
// none or the folder cannot be listed.
std::string firstVersionFolder(const std::string& binFolder) {
  WIN32_FIND_DATAA FindFileData{};
  HANDLE listing = FindFirstFileA((dataFolderOf(binFolder) + "*.*").c_str(), &FindFileData);
  if (listing == INVALID_HANDLE_VALUE) return "";
  std::string found;
  do {
    if (isSubFolder(FindFileData)) found = FindFileData.cFileName;
  } while (found.empty() && FindNextFileA(listing, &FindFileData));
  FindClose(listing);
  return found;
}

std::string scriptsFolder(const std::string& binFolder, const std::string& version) {
  return dataFolderOf(binFolder) + version + "\\scripts\\";
}

}  // namespace

std::string gimpBinFolder(const std::string& gimpExecutable) {
  char folder[MAX_PATH + 1] = {};
  gimpExecutable.copy(folder, MAX_PATH);
  PathRemoveFileSpecA(folder);
  PathAddBackslashA(folder);
  return folder;
}

std::string gimpScriptsFolder(const std::string& gimpExecutable) {
  const std::string binFolder = gimpBinFolder(gimpExecutable);
  std::string version = versionNameOf(gimpExecutable);
  if (!versionExists(binFolder, version)) {
    const std::string other = firstVersionFolder(binFolder);
    if (!other.empty()) version = other;
  }
  return scriptsFolder(binFolder, version);
}

bool ensureGimpScript(const std::string& gimpExecutable, HWND owner) {
  const std::string target = gimpScriptsFolder(gimpExecutable) + kScriptName;
  if (FileExists(target)) return true;
  const std::string question = theCatalogue.GetCatalogueText(msg::kScmFileNotFound);
  if (MessageBoxA(owner, question.c_str(), theMainDialogTitle.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION) !=
      IDYES)
    return false;
  const std::string source = theSettings.moduleDirectory + kScriptName;
  CopyFileA(source.c_str(), target.c_str(), FALSE);  // a failed copy shows up when GIMP lacks the script
  return true;
}
