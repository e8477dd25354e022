// Last-error value per thread and the mapping of POSIX errors.
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "internal.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;

bool ParentFolderExists(const std::string& posixPath) {
  auto slash = posixPath.find_last_of('/');
  if (slash == std::string::npos) return true;
  std::string parent = slash == 0 ? "/" : posixPath.substr(0, slash);
  struct stat info {};
  return stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

DWORD WINAPI GetLastError() { return lastError; }
void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

namespace win32::detail {

DWORD ErrorFromErrno(int error, const std::string& posixPath) {
  switch (error) {
    case ENOENT:
      return ParentFolderExists(posixPath) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    default:
      return ERROR_WRITE_FAULT;
  }
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
    if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
    if (x != y) return false;
  }
  return true;
}

DWORD CopyTruncated(const std::string& text, LPSTR buffer, DWORD size) {
  if (size == 0 || buffer == nullptr) return Fail<DWORD>(ERROR_INSUFFICIENT_BUFFER, 0);
  if (text.size() < size) {
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(text.size());
  }
  std::memcpy(buffer, text.data(), size - 1);
  buffer[size - 1] = '\0';
  return Fail<DWORD>(ERROR_INSUFFICIENT_BUFFER, size);
}

}  // namespace win32::detail
