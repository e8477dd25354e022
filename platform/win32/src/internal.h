#pragma once
// Helpers shared by the library's sources.
#include <string>
#include <windows.h>

namespace win32::detail {

// The Windows error for a failed POSIX call on `posixPath`: a missing file
// in an existing folder is ERROR_FILE_NOT_FOUND, a missing folder on the way
// ERROR_PATH_NOT_FOUND.
DWORD ErrorFromErrno(int error, const std::string& posixPath);

// Sets the last error and returns `result`, for one-line failure returns.
template <typename T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

// The POSIX path of a Windows path argument; sets ERROR_PATH_NOT_FOUND (or
// ERROR_INVALID_NAME for wildcards and other forbidden characters) and
// returns "" when it cannot be reached.
std::string PosixPathOf(LPCSTR windowsPath);

// Case-insensitive comparison of ASCII letters, bytes otherwise.
bool EqualsNoCase(const std::string& a, const std::string& b);

// Copies `text` into a caller's buffer of `size` chars; Windows' rule for
// file names: the result is truncated to size-1 chars and ERROR_INSUFFICIENT_BUFFER set.
DWORD CopyTruncated(const std::string& text, LPSTR buffer, DWORD size);

}  // namespace win32::detail
