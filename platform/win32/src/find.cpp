// Folder listings: FindFirstFileA / FindNextFileA / FindClose.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "internal.h"
#include "win32/handles.h"
#include "win32/posix.h"

using win32::detail::Fail;

namespace {

struct FindObject : win32::KernelObject {
  std::vector<WIN32_FIND_DATAA> entries;
  std::size_t next = 0;
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Wildcards '*' and '?' without letter case; "*.*" matches every name.
bool Matches(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0) return true;
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*')
    return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
  if (*name == '\0') return false;
  return (*pattern == '?' || Lower(*pattern) == Lower(*name)) && Matches(pattern + 1, name + 1);
}

FILETIME ToFileTime(const timespec& t) {
  // 100-ns intervals since 1601-01-01.
  std::uint64_t ticks = (static_cast<std::uint64_t>(t.tv_sec) + 11644473600ULL) * 10000000ULL + t.tv_nsec / 100;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

WIN32_FIND_DATAA Describe(const std::string& name, const struct stat& info) {
  WIN32_FIND_DATAA data{};
  data.dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  data.ftCreationTime = ToFileTime(info.st_ctim);
  data.ftLastAccessTime = ToFileTime(info.st_atim);
  data.ftLastWriteTime = ToFileTime(info.st_mtim);
  auto size = static_cast<std::uint64_t>(info.st_size);
  data.nFileSizeHigh = S_ISDIR(info.st_mode) ? 0 : static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = S_ISDIR(info.st_mode) ? 0 : static_cast<DWORD>(size);
  std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
  return data;
}

// "." and ".." first, then by name without letter case.
bool ListedBefore(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
  return strcasecmp(a.cFileName, b.cFileName) < 0;
}

bool IsDriveRoot(const std::string& windowsFolder) {
  return windowsFolder == "\\" || windowsFolder == "/" ||
         (windowsFolder.size() <= 3 && windowsFolder.size() >= 2 && windowsFolder[1] == ':');
}

// The matching entries of `posixFolder`, or false with the last error set.
bool List(const std::string& posixFolder, const std::string& pattern, bool root,
          std::vector<WIN32_FIND_DATAA>& entries) {
  DIR* dir = opendir(posixFolder.c_str());
  if (dir == nullptr)
    return Fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND, false);
  while (dirent* entry = readdir(dir)) {
    std::string utf8 = entry->d_name;
    bool dots = utf8 == "." || utf8 == "..";
    std::string name = win32::Utf8ToCp1252(utf8);
    struct stat info {};
    if ((dots && root) || name.size() >= MAX_PATH || !Matches(pattern.c_str(), name.c_str()) ||
        stat((posixFolder + "/" + utf8).c_str(), &info) != 0)
      continue;
    entries.push_back(Describe(name, info));
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(), ListedBefore);
  return true;
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  if (lpFileName == nullptr || lpFindFileData == nullptr) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  std::string path = lpFileName;
  std::size_t cut = path.find_last_of("\\/");
  if (cut == std::string::npos && path.size() >= 2 && path[1] == ':') cut = 1;
  std::string folder = cut == std::string::npos ? "." : path.substr(0, cut + 1);
  std::string pattern = cut == std::string::npos ? path : path.substr(cut + 1);
  if (pattern.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  std::string posixFolder = win32::detail::PosixPathOf(folder.c_str());
  if (posixFolder.empty()) return INVALID_HANDLE_VALUE;
  auto listing = std::make_unique<FindObject>();
  if (!List(posixFolder, pattern, IsDriveRoot(folder), listing->entries)) return INVALID_HANDLE_VALUE;
  if (listing->entries.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  *lpFindFileData = listing->entries[0];
  listing->next = 1;
  SetLastError(ERROR_SUCCESS);
  return win32::RegisterHandle(std::move(listing));
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  auto* listing = win32::HandleAs<FindObject>(hFindFile);
  if (listing == nullptr || lpFindFileData == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (listing->next >= listing->entries.size()) return Fail(ERROR_NO_MORE_FILES, FALSE);
  *lpFindFileData = listing->entries[listing->next++];
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
  if (win32::HandleAs<FindObject>(hFindFile) == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  return win32::DestroyHandle(hFindFile) ? TRUE : FALSE;
}
