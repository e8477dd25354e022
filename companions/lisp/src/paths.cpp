// The user's folder and files, and files the companion knows by name.
#include <windows.h>

#include "aced.h"
#include "arx/host.h"
#include "functions.h"

namespace companion {
namespace {

// The modules beside which the maker's files are installed, searched after
// the user's folder: the plug-in, then the companion itself.
constexpr const char* kInstallModules[] = {"MoXi.arx", "companions-lisp.arx"};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Makes the folder and any missing parent of it.
bool MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('\\'); slash != std::string::npos; slash = folder.find('\\', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (part.size() > 2 && !IsFolder(part) && !CreateDirectoryA(part.c_str(), nullptr)) return false;
  }
  return IsFolder(folder);
}

std::string FolderOfModule(const char* moduleName) {
  HMODULE module = GetModuleHandleA(moduleName);
  if (module == nullptr) return "";
  char path[MAX_PATH * 4] = "";
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  const std::string name(path, length < sizeof path ? length : 0);
  const auto slash = name.rfind('\\');
  return slash == std::string::npos ? "" : name.substr(0, slash + 1);
}

// A plain file name: no folder, drive or parent reference in it.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..";
}

}  // namespace

bool StringArguments(std::size_t count, std::vector<std::string>& values) {
  values.clear();
  for (const resbuf* arg = acedGetArgs(); arg != nullptr; arg = arg->rbnext) {
    if (arg->restype != RTSTR || arg->resval.rstring == nullptr) return false;
    values.emplace_back(arg->resval.rstring);
  }
  return values.size() == count;
}

std::string UserFolder() {
  std::string folder = arx::userDirectory();
  if (folder.empty()) return "";
  if (folder.back() != '\\') folder += '\\';
  return MakeFolders(folder) ? folder : "";
}

int GetUserIniPath() {
  std::vector<std::string> args;
  if (!StringArguments(1, args)) return RSERR;
  const std::string folder = UserFolder();
  folder.empty() ? acedRetNil() : acedRetStr(folder.c_str());
  return RSRSLT;
}

int GetUserIniFile() {
  std::vector<std::string> args;
  if (!StringArguments(2, args) || !IsPlainFileName(args[1])) return RSERR;
  const std::string folder = UserFolder();
  folder.empty() ? acedRetNil() : acedRetStr((folder + args[1]).c_str());
  return RSRSLT;
}

int PathInfo() {
  std::vector<std::string> args;
  if (!StringArguments(1, args) || !IsPlainFileName(args[0])) return RSERR;
  std::vector<std::string> folders = {UserFolder()};
  for (const char* module : kInstallModules) folders.push_back(FolderOfModule(module));
  for (const std::string& folder : folders) {
    if (!folder.empty() && Exists(folder + args[0])) {
      acedRetStr((folder + args[0]).c_str());
      return RSRSLT;
    }
  }
  acedRetNil();
  return RSRSLT;
}

}  // namespace companion
