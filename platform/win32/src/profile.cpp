// Private profiles: INI files read and written with Windows' rules, and
// replaced atomically so that a crash, a full disk or a read-only folder
// never leaves a half-written file.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <vector>

#include "internal.h"
#include "win32/testing.h"

using win32::detail::EqualsNoCase;
using win32::detail::ErrorFromErrno;
using win32::detail::Fail;

namespace {

std::mutex profileMutex;  // one read-modify-write at a time
win32::testing::ProfileWriteObserver writeObserver;

using Lines = std::vector<std::string>;

// ---- Reading ----

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string TrimEnd(const std::string& text) {
  std::size_t last = text.find_last_not_of(" \t");
  return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

// Lines end with CR LF, LF or CR alone; a final line needs no line end.
Lines SplitLines(const std::string& text) {
  Lines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

struct Loaded {
  Lines lines;
  bool exists = false;
  DWORD error = ERROR_SUCCESS;  // set when the file is there but unreadable
};

Loaded Load(const std::string& path) {
  Loaded loaded;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT && errno != ENOTDIR) loaded.error = ErrorFromErrno(errno, path);
    return loaded;
  }
  struct stat info {};
  std::string text;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    loaded.error = ERROR_ACCESS_DENIED;
  } else {
    char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, n);
    if (n < 0) loaded.error = ERROR_READ_FAULT;
    loaded.exists = true;
  }
  close(fd);
  loaded.lines = SplitLines(text);
  return loaded;
}

std::optional<std::string> SectionName(const std::string& line) {
  std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
  std::size_t close = trimmed.find(']');
  return Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

struct KeyLine {
  std::string key;
  std::string value;
};

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

std::optional<KeyLine> KeyOf(const std::string& line) {
  std::string trimmed = Trim(line);
  std::size_t equals = trimmed.find('=');
  if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '[' || equals == std::string::npos)
    return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, equals)), Unquoted(Trim(trimmed.substr(equals + 1)))};
}

// The lines [header, end) of the first section with that name.
struct Section {
  std::size_t header = 0;
  std::size_t end = 0;
};

std::optional<Section> FindSection(const Lines& lines, const std::string& name) {
  std::string wanted = Trim(name);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto found = SectionName(lines[i]);
    if (!found || !EqualsNoCase(*found, wanted)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end])) ++end;
    return Section{i, end};
  }
  return std::nullopt;
}

// The line of the first key with that name in the section.
std::optional<std::size_t> FindKey(const Lines& lines, const Section& section, const std::string& key) {
  std::string wanted = Trim(key);
  for (std::size_t i = section.header + 1; i < section.end; ++i)
    if (auto line = KeyOf(lines[i]); line && EqualsNoCase(line->key, wanted)) return i;
  return std::nullopt;
}

void AddUnique(std::vector<std::string>& names, const std::string& name) {
  for (const std::string& known : names)
    if (EqualsNoCase(known, name)) return;
  names.push_back(name);
}

std::vector<std::string> SectionNames(const Lines& lines) {
  std::vector<std::string> names;
  for (const std::string& line : lines)
    if (auto name = SectionName(line)) AddUnique(names, *name);
  return names;
}

std::vector<std::string> KeyNames(const Lines& lines, const std::string& sectionName) {
  std::vector<std::string> names;
  auto section = FindSection(lines, sectionName);
  if (!section) return names;
  for (std::size_t i = section->header + 1; i < section->end; ++i)
    if (auto line = KeyOf(lines[i])) AddUnique(names, line->key);
  return names;
}

// ---- Answers into the caller's buffer ----

std::string UpToNul(const std::string& text) { return text.substr(0, std::strlen(text.c_str())); }

// A string: cut to size-1 chars when it does not fit; returns chars copied.
DWORD CopyString(const std::string& text, LPSTR buffer, DWORD size) {
  std::string value = UpToNul(text);
  std::size_t count = value.size() < size ? value.size() : size - 1;
  std::memcpy(buffer, value.data(), count);
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

// A list of names, each ended by NUL, the list by a second NUL. When it does
// not fit, it is cut to size-2 chars and still ends with two NULs.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  std::string list;
  for (const std::string& name : names) list += UpToNul(name) + '\0';
  if (list.size() + 1 <= size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<DWORD>(list.size());
  }
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = buffer[size - 1] = '\0';
  return size - 2;
}

// ---- Changing and writing ----

enum class Change { None, Done };

Change Apply(Lines& lines, LPCSTR sectionName, LPCSTR key, LPCSTR value) {
  auto section = FindSection(lines, sectionName);
  if (key == nullptr) {
    if (!section) return Change::None;
    // The header and the key lines go; comments and other lines stay.
    for (std::size_t i = section->end; i-- > section->header + 1;)
      if (KeyOf(lines[i])) lines.erase(lines.begin() + i);
    lines.erase(lines.begin() + section->header);
    return Change::Done;
  }
  auto line = section ? FindKey(lines, *section, key) : std::nullopt;
  if (value == nullptr) {
    if (!line) return Change::None;
    lines.erase(lines.begin() + *line);
    return Change::Done;
  }
  if (line) {
    lines[*line] = KeyOf(lines[*line])->key + "=" + value;  // the file's spelling of the key stays
  } else if (section) {
    std::size_t after = section->header;
    for (std::size_t i = section->header + 1; i < section->end; ++i)
      if (KeyOf(lines[i])) after = i;
    lines.insert(lines.begin() + after + 1, Trim(key) + "=" + value);
  } else {
    lines.push_back("[" + Trim(sectionName) + "]");
    lines.push_back(Trim(key) + "=" + value);
  }
  return Change::Done;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    std::size_t chunk = text.size() - done < 4096 ? text.size() - done : 4096;
    ssize_t n = write(fd, text.data() + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
    if (writeObserver && !writeObserver(done)) {
      errno = ENOSPC;
      return false;
    }
  }
  return true;
}

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The file a write replaces: a symbolic link's target, so the link stays.
std::string RealTarget(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

mode_t GetUmask() {
  mode_t mask = umask(0);
  umask(mask);
  return mask;
}

// ---- Temporary files ----
// A new file is written beside the old one as "<name>.~<pid>.XXXXXX" and
// renamed over it. The name tells a later write whose leftover it is.

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string TempPattern(const std::string& path) {
  return path + ".~" + std::to_string(getpid()) + ".XXXXXX";
}

// The writer's process id of a temporary file named after `name`; 0 for
// every other name.
pid_t TempOwner(const std::string& entry, const std::string& name) {
  const std::string prefix = name + ".~";
  if (entry.size() <= prefix.size() + 7 || entry.compare(0, prefix.size(), prefix) != 0) return 0;
  std::size_t dot = entry.size() - 7;
  if (entry[dot] != '.' || dot == prefix.size() || dot - prefix.size() > 9) return 0;
  pid_t pid = 0;
  for (std::size_t i = prefix.size(); i < dot; ++i) {
    if (entry[i] < '0' || entry[i] > '9') return 0;
    pid = pid * 10 + (entry[i] - '0');
  }
  return pid;
}

// When process `pid` started, in seconds since the epoch; 0 when unknown.
time_t ProcessStart(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  std::size_t close = line.rfind(')');  // after the command name, which may hold blanks
  if (close == std::string::npos) return 0;
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  for (int i = 3; i < 22; ++i) fields >> field;
  unsigned long long ticks = 0;  // field 22: the start in clock ticks after boot
  if (!(fields >> ticks)) return 0;
  std::ifstream system("/proc/stat");
  unsigned long long boot = 0;
  while (std::getline(system, line))
    if (std::sscanf(line.c_str(), "btime %llu", &boot) == 1) break;
  long hertz = sysconf(_SC_CLK_TCK);
  return boot && hertz > 0 ? static_cast<time_t>(boot + ticks / hertz) : 0;
}

// A temporary file no write is working on: its writer is gone, is this
// process (whose writes run one at a time), or the process id now belongs
// to a process started after the file was last written.
bool IsStale(pid_t owner, const struct stat& info) {
  if (owner == getpid()) return true;
  if (kill(owner, 0) != 0 && errno == ESRCH) return true;
  time_t started = ProcessStart(owner);
  return started != 0 && started > info.st_mtime + 1;
}

// Removes what earlier writes of `path` that were killed left behind.
void RemoveStaleTemporaries(const std::string& path) {
  const std::string folder = FolderOf(path);
  const std::string name = NameOf(path);
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = readdir(dir)) {
    pid_t owner = TempOwner(entry->d_name, name);
    struct stat info {};
    if (owner <= 0 || fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(info.st_mode) && IsStale(owner, info)) unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

// The rename is made durable by syncing the folder that holds the name.
void SyncFolder(const std::string& path) {
  int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Writes the text to a new temporary file beside `path`, with the old
// file's mode and owner, and syncs it; its name, or "" after Fail.
std::string WriteTemporary(const std::string& path, const std::string& text) {
  std::string temp = TempPattern(path);
  int fd = mkstemp(temp.data());
  if (fd < 0) return Fail(ErrorFromErrno(errno, path), std::string());
  struct stat info {};
  bool exists = stat(path.c_str(), &info) == 0;
  mode_t mode = exists ? info.st_mode & 07777 : 0666 & ~GetUmask();
  // Only a privileged writer can keep another user's ownership.
  bool owned = !exists || geteuid() != 0 || fchown(fd, info.st_uid, info.st_gid) == 0;
  bool written = owned && WriteAll(fd, text) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  DWORD error = ErrorFromErrno(errno, path);
  if (close(fd) != 0 && written) {
    written = false;
    error = ErrorFromErrno(errno, path);
  }
  if (written) return temp;
  unlink(temp.c_str());
  return Fail(error, std::string());
}

// Replaces the file by a complete new one: the old file stays whole until
// the rename, and a write that cannot make the new file beside it (a
// read-only folder, a full disk) fails and changes nothing.
bool Replace(const std::string& target, const Lines& lines) {
  std::string path = RealTarget(target);
  if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0)
    return Fail(ERROR_ACCESS_DENIED, false);  // a read-only file stays as it is
  RemoveStaleTemporaries(path);
  std::string temp = WriteTemporary(path, Joined(lines));
  if (temp.empty()) return false;
  if (rename(temp.c_str(), path.c_str()) != 0) {
    DWORD error = ErrorFromErrno(errno, path);
    unlink(temp.c_str());
    return Fail(error, false);
  }
  SyncFolder(path);
  return true;
}

// Text that would break the file's structure: a line break anywhere, "="
// in a key, "]" in a section name. Such writes are refused, so a value can
// never add keys or sections of its own.
bool BreaksStructure(LPCSTR section, LPCSTR key, LPCSTR value) {
  auto has = [](LPCSTR text, const char* chars) { return text && std::strpbrk(text, chars); };
  return has(section, "\r\n]") || has(key, "\r\n=") || has(value, "\r\n");
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (lpReturnedString == nullptr || nSize == 0) return Fail<DWORD>(ERROR_INVALID_PARAMETER, 0);
  std::string path = win32::detail::PosixPathOf(lpFileName);
  Lines lines;
  {
    std::lock_guard lock(profileMutex);
    if (!path.empty()) lines = Load(path).lines;
  }
  SetLastError(ERROR_SUCCESS);
  if (lpAppName == nullptr) return CopyList(SectionNames(lines), lpReturnedString, nSize);
  if (lpKeyName == nullptr) return CopyList(KeyNames(lines, lpAppName), lpReturnedString, nSize);
  if (auto section = FindSection(lines, lpAppName))
    if (auto line = FindKey(lines, *section, lpKeyName))
      return CopyString(KeyOf(lines[*line])->value, lpReturnedString, nSize);
  return CopyString(TrimEnd(lpDefault ? lpDefault : ""), lpReturnedString, nSize);
}

DWORD WINAPI GetPrivateProfileSectionNamesA(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName) {
  return GetPrivateProfileStringA(nullptr, nullptr, nullptr, lpszReturnBuffer, nSize, lpFileName);
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
  if (lpAppName == nullptr || lpKeyName == nullptr) return static_cast<UINT>(nDefault);
  char buffer[64];
  GetPrivateProfileStringA(lpAppName, lpKeyName, "\x01", buffer, sizeof buffer, lpFileName);
  if (std::strcmp(buffer, "\x01") == 0) return static_cast<UINT>(nDefault);
  return static_cast<UINT>(std::strtol(buffer, nullptr, 10));
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
  if (lpAppName == nullptr) {
    // All null flushes the profile cache; there is none here.
    bool flush = lpKeyName == nullptr && lpString == nullptr;
    return flush ? TRUE : Fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  if (BreaksStructure(lpAppName, lpKeyName, lpString)) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::string path = win32::detail::PosixPathOf(lpFileName);
  if (path.empty()) return FALSE;
  std::lock_guard lock(profileMutex);
  Loaded file = Load(path);
  if (file.error != ERROR_SUCCESS) return Fail(file.error, FALSE);  // never overwrite what could not be read
  if (Apply(file.lines, lpAppName, lpKeyName, lpString) == Change::None) return TRUE;
  return Replace(path, file.lines) ? TRUE : FALSE;
}

namespace win32::testing {

void SetProfileWriteObserver(ProfileWriteObserver observer) {
  std::lock_guard lock(profileMutex);
  writeObserver = std::move(observer);
}

}  // namespace win32::testing
