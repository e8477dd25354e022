// Shell path functions, with the Windows rules for roots, trailing
// backslashes and "." / ".." components.
#include <shlwapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "internal.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool IsFullPath(const std::string& path) { return HasDrive(path) || path.rfind("\\\\", 0) == 0; }

// The root a path starts with: "X:\", "X:", "\\" (network) or "\".
std::string RootOf(const std::string& path) {
  if (HasDrive(path)) return path.size() > 2 && path[2] == '\\' ? path.substr(0, 3) : path.substr(0, 2);
  if (path.rfind("\\\\", 0) == 0) return "\\\\";
  if (!path.empty() && path[0] == '\\') return "\\";
  return "";
}

// Resolves "." and ".." (never above the root); a trailing backslash stays.
std::string Canonical(const std::string& path) {
  std::string root = RootOf(path);
  std::vector<std::string> parts;
  std::size_t pos = root.size();
  bool trailing = path.size() > root.size() && path.back() == '\\';
  while (pos <= path.size()) {
    std::size_t end = path.find('\\', pos);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  std::string result = root;
  for (std::size_t i = 0; i < parts.size(); ++i) result += (i ? "\\" : "") + parts[i];
  if (trailing && !parts.empty()) result += '\\';
  if (result.empty()) result = "\\";
  return result;
}

}  // namespace

LPSTR WINAPI PathFindFileNameA(LPCSTR pszPath) {
  if (pszPath == nullptr) return nullptr;
  LPCSTR name = pszPath;
  for (LPCSTR p = pszPath; *p; ++p)
    if ((IsSeparator(*p) || *p == ':') && p[1] && !IsSeparator(p[1])) name = p + 1;
  return const_cast<LPSTR>(name);
}

LPSTR WINAPI PathFindExtensionA(LPCSTR pszPath) {
  if (pszPath == nullptr) return nullptr;
  LPCSTR dot = nullptr;
  LPCSTR p = pszPath;
  for (; *p; ++p) {
    if (*p == '\\' || *p == ' ') dot = nullptr;
    else if (*p == '.') dot = p;
  }
  return const_cast<LPSTR>(dot ? dot : p);
}

void WINAPI PathStripPathA(LPSTR pszPath) {
  if (pszPath == nullptr) return;
  LPSTR name = PathFindFileNameA(pszPath);
  if (name != pszPath) std::memmove(pszPath, name, std::strlen(name) + 1);
}

void WINAPI PathRemoveExtensionA(LPSTR pszPath) {
  if (pszPath != nullptr) *PathFindExtensionA(pszPath) = '\0';
}

BOOL WINAPI PathRemoveFileSpecA(LPSTR pszPath) {
  if (pszPath == nullptr) return FALSE;
  LPSTR p = pszPath;
  LPSTR nameStart = p;
  if (*p == '\\') nameStart = ++p;  // a network path keeps its leading "\\"
  if (*p == '\\') nameStart = ++p;
  while (*p) {
    if (*p == '\\') {
      nameStart = p;
    } else if (*p == ':') {
      nameStart = ++p;
      if (*p == '\\') ++nameStart;
      if (*p == '\0') break;
    }
    ++p;
  }
  if (*nameStart == '\0') return FALSE;
  *nameStart = '\0';
  return TRUE;
}

LPSTR WINAPI PathAddBackslashA(LPSTR pszPath) {
  if (pszPath == nullptr) return nullptr;
  std::size_t length = std::strlen(pszPath);
  if (length == 0) return pszPath;
  if (length >= MAX_PATH - 1) return nullptr;
  if (pszPath[length - 1] != '\\') {
    pszPath[length++] = '\\';
    pszPath[length] = '\0';
  }
  return pszPath + length;
}

BOOL WINAPI PathCanonicalizeA(LPSTR pszBuf, LPCSTR pszPath) {
  if (pszBuf == nullptr || pszPath == nullptr) return win32::detail::Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::string result = Canonical(pszPath);
  if (result.size() >= MAX_PATH) return win32::detail::Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
  std::memcpy(pszBuf, result.c_str(), result.size() + 1);
  return TRUE;
}

BOOL WINAPI PathAppendA(LPSTR pszPath, LPCSTR pszMore) {
  if (pszPath == nullptr || pszMore == nullptr) return win32::detail::Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::string more = pszMore;
  std::string combined;
  if (IsFullPath(more)) {
    combined = more;
  } else {
    more.erase(0, more.find_first_not_of('\\'));
    combined = pszPath;
    if (!combined.empty() && combined.back() != '\\' && !more.empty()) combined += '\\';
    combined += more;
  }
  return PathCanonicalizeA(pszPath, combined.c_str());
}

BOOL WINAPI PathFileExistsA(LPCSTR pszPath) {
  return pszPath != nullptr && GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}
