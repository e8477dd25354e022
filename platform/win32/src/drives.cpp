// The drive map and the translation between Windows and POSIX paths.
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <mutex>

#include "win32/posix.h"

namespace {

// The drive map, built on first use from the environment's serialised map.
struct DriveMap {
  std::mutex mutex;
  std::array<std::string, 26> folders;  // "" = unmapped; Z: is "/"
};
DriveMap& Map();

int DriveIndex(char letter) {
  if (letter >= 'a' && letter <= 'z') return letter - 'a';
  if (letter >= 'A' && letter <= 'Z') return letter - 'A';
  return -1;
}

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

bool AcceptableFolder(const std::string& folder) {
  return !folder.empty() && folder[0] == '/' &&
         folder.find_first_of(";\n\r") == std::string::npos;
}

std::string AbsolutePosix(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char* cwd = getcwd(nullptr, 0);
  std::string base = cwd ? cwd : "/";
  std::free(cwd);
  return path.empty() ? base : WithoutTrailingSlashes(base) + "/" + path;
}

// Reads the serialised map into `folders` (Z: is "/"); false when malformed.
bool ParseFolders(const std::string& text, std::array<std::string, 26>& folders) {
  folders = {};
  folders[25] = "/";
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find(';', pos);
    if (end == std::string::npos) end = text.size();
    std::string entry = text.substr(pos, end - pos);
    pos = end + 1;
    if (entry.empty()) continue;
    int index = DriveIndex(entry[0]);
    if (entry.size() < 3 || entry[1] != '=' || index < 0 || !AcceptableFolder(entry.substr(2)))
      return false;
    if (index != 25) folders[index] = WithoutTrailingSlashes(entry.substr(2));
  }
  return true;
}

DriveMap& Map() {
  static DriveMap* map = [] {
    auto* m = new DriveMap;  // never destroyed: usable until the very end
    const char* text = std::getenv(win32::kDriveMapVariable);
    if (text == nullptr || !ParseFolders(text, m->folders)) ParseFolders("", m->folders);
    return m;
  }();
  return *map;
}

}  // namespace

namespace win32 {

bool MapDrive(char letter, const std::string& folder) {
  int index = DriveIndex(letter);
  if (index < 0 || index == 25 || !AcceptableFolder(folder)) return false;
  std::lock_guard lock(Map().mutex);
  Map().folders[index] = WithoutTrailingSlashes(folder);
  return true;
}

void UnmapDrive(char letter) {
  int index = DriveIndex(letter);
  if (index < 0 || index == 25) return;
  std::lock_guard lock(Map().mutex);
  Map().folders[index].clear();
}

std::optional<std::string> DriveFolder(char letter) {
  int index = DriveIndex(letter);
  if (index < 0) return std::nullopt;
  std::lock_guard lock(Map().mutex);
  if (Map().folders[index].empty()) return std::nullopt;
  return Map().folders[index];
}

std::string SerialiseDriveMap() {
  std::lock_guard lock(Map().mutex);
  std::string text;
  for (int i = 0; i < 25; ++i) {
    if (Map().folders[i].empty()) continue;
    if (!text.empty()) text += ';';
    text += char('A' + i);
    text += '=' + Map().folders[i];
  }
  return text;
}

bool ParseDriveMap(const std::string& text) {
  std::array<std::string, 26> parsed;
  if (!ParseFolders(text, parsed)) return false;
  std::lock_guard lock(Map().mutex);
  Map().folders = parsed;
  return true;
}

std::string ToPosixPath(const std::string& windowsPath) {
  std::string path = Cp1252ToUtf8(windowsPath);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.size() >= 2 && path[1] == ':') {
    auto folder = DriveFolder(path[0]);
    if (!folder) return {};
    std::string rest = path.substr(2);
    if (rest.empty() || rest[0] != '/') rest.insert(0, "/");
    return *folder == "/" ? rest : *folder + rest;
  }
  if (path.rfind("//", 0) == 0) return {};  // network share: not reachable
  return path;  // rooted on Z: ("/...") or relative to the current folder
}

std::string ToWindowsPath(const std::string& posixPath) {
  std::string path = AbsolutePosix(posixPath);
  char drive = 'Z';
  std::size_t matched = 0;
  {
    std::lock_guard lock(Map().mutex);
    for (int i = 0; i < 25; ++i) {
      const std::string& folder = Map().folders[i];
      if (folder.empty() || folder.size() <= matched || path.compare(0, folder.size(), folder) != 0)
        continue;
      if (folder != "/" && path.size() > folder.size() && path[folder.size()] != '/') continue;
      drive = char('A' + i);
      matched = folder == "/" ? 0 : folder.size();
    }
  }
  std::string rest = path.substr(matched);
  if (rest.empty() || rest[0] != '/') rest.insert(0, "/");
  for (char& c : rest)
    if (c == '/') c = '\\';
  return Utf8ToCp1252(std::string(1, drive) + ":" + rest);
}

}  // namespace win32

#include "internal.h"

namespace win32::detail {

std::string PosixPathOf(LPCSTR windowsPath) {
  if (windowsPath == nullptr || *windowsPath == '\0') return Fail(ERROR_PATH_NOT_FOUND, std::string());
  std::string path = windowsPath;
  std::size_t nameStart = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  if (path.find_first_of("*?<>|\"", 0) != std::string::npos ||
      path.find(':', nameStart) != std::string::npos)
    return Fail(ERROR_INVALID_NAME, std::string());
  std::string posix = ToPosixPath(path);
  if (posix.empty()) SetLastError(ERROR_PATH_NOT_FOUND);
  return posix;
}

}  // namespace win32::detail
