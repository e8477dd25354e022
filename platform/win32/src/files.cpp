// Files: handles over file descriptors, with Windows share modes honoured
// between the handles of this process.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "internal.h"
#include "win32/handles.h"

using win32::detail::ErrorFromErrno;
using win32::detail::Fail;
using win32::detail::PosixPathOf;

namespace {

struct FileObject;
std::mutex shareMutex;
std::vector<FileObject*> openFiles;  // guarded by shareMutex

struct FileObject : win32::KernelObject {
  int fd = -1;
  DWORD access = 0;
  DWORD share = 0;
  dev_t device = 0;
  ino_t inode = 0;
  ~FileObject() override {
    {
      std::lock_guard lock(shareMutex);
      std::erase(openFiles, this);
    }
    close(fd);
  }
};

bool SameFile(const FileObject& f, const struct stat& info) {
  return f.device == info.st_dev && f.inode == info.st_ino;
}

// Whether an open handle forbids a new one with `access` and `share`.
bool Conflicts(const FileObject& open, DWORD access, DWORD share) {
  return ((access & GENERIC_READ) && !(open.share & FILE_SHARE_READ)) ||
         ((access & GENERIC_WRITE) && !(open.share & FILE_SHARE_WRITE)) ||
         ((open.access & GENERIC_READ) && !(share & FILE_SHARE_READ)) ||
         ((open.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE));
}

bool AnyHandleConflicts(const struct stat& info, DWORD access, DWORD share) {
  for (const FileObject* f : openFiles)
    if (SameFile(*f, info) && Conflicts(*f, access, share)) return true;
  return false;
}

bool AnyHandleForbidsDelete(const struct stat& info) {
  for (const FileObject* f : openFiles)
    if (SameFile(*f, info) && !(f->share & FILE_SHARE_DELETE)) return true;
  return false;
}

int OpenFlags(DWORD access, DWORD disposition) {
  int flags = O_CLOEXEC;
  bool read = access & GENERIC_READ, write = access & GENERIC_WRITE;
  flags |= read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  if (disposition == CREATE_NEW) flags |= O_CREAT | O_EXCL;
  if (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) flags |= O_CREAT;
  return flags;
}

// Opens the descriptor and registers the handle under the share lock.
HANDLE OpenChecked(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  int fd = open(path.c_str(), OpenFlags(access, disposition), 0666);
  if (fd < 0) return Fail(ErrorFromErrno(errno, path), INVALID_HANDLE_VALUE);
  struct stat info {};
  fstat(fd, &info);
  if (S_ISDIR(info.st_mode)) {
    close(fd);
    return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  }
  std::lock_guard lock(shareMutex);
  if (AnyHandleConflicts(info, access, share)) {
    close(fd);
    return Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
  }
  bool truncate = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  if (truncate && ftruncate(fd, 0) != 0) {
    close(fd);
    return Fail(ErrorFromErrno(errno, path), INVALID_HANDLE_VALUE);
  }
  auto file = std::make_unique<FileObject>();
  file->fd = fd;
  file->access = access;
  file->share = share;
  file->device = info.st_dev;
  file->inode = info.st_ino;
  openFiles.push_back(file.get());
  return win32::RegisterHandle(std::move(file));
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition, DWORD,
                          HANDLE) {
  if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING ||
      (dwCreationDisposition == TRUNCATE_EXISTING && !(dwDesiredAccess & GENERIC_WRITE)))
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  std::string path = PosixPathOf(lpFileName);
  if (path.empty()) return INVALID_HANDLE_VALUE;
  struct stat before {};
  bool existed = stat(path.c_str(), &before) == 0;
  HANDLE handle = OpenChecked(path, dwDesiredAccess, dwShareMode, dwCreationDisposition);
  if (handle == INVALID_HANDLE_VALUE) return handle;
  bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
  SetLastError(existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  auto* file = win32::HandleAs<FileObject>(hFile);
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!(file->access & GENERIC_READ)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  DWORD done = 0;
  while (done < nNumberOfBytesToRead) {
    ssize_t n = read(file->fd, static_cast<char*>(lpBuffer) + done, nNumberOfBytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail(ERROR_READ_FAULT, FALSE);
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  auto* file = win32::HandleAs<FileObject>(hFile);
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!(file->access & GENERIC_WRITE)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    ssize_t n = write(file->fd, static_cast<const char*>(lpBuffer) + done, nNumberOfBytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT, FALSE);
    done += static_cast<DWORD>(n);
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
  }
  return TRUE;
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  auto* file = win32::HandleAs<FileObject>(hFile);
  struct stat info {};
  if (file == nullptr || fstat(file->fd, &info) != 0) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
  auto size = static_cast<std::uint64_t>(info.st_size);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

// Moves the file pointer; with a high part the distance is 64 bits. A
// position before the start fails with ERROR_NEGATIVE_SEEK.
DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LPLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
  auto* file = win32::HandleAs<FileObject>(hFile);
  if (file == nullptr) return Fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
  std::int64_t distance = lpDistanceToMoveHigh
                              ? static_cast<std::int64_t>((static_cast<std::uint64_t>(*lpDistanceToMoveHigh) << 32) |
                                                          static_cast<std::uint32_t>(lDistanceToMove))
                              : lDistanceToMove;
  struct stat info {};
  off_t start = 0;
  if (dwMoveMethod == FILE_CURRENT) start = lseek(file->fd, 0, SEEK_CUR);
  else if (dwMoveMethod == FILE_END) start = fstat(file->fd, &info) == 0 ? info.st_size : -1;
  else if (dwMoveMethod != FILE_BEGIN) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  if (start < 0) return Fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
  if (start + distance < 0) return Fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
  off_t position = lseek(file->fd, static_cast<off_t>(start + distance), SEEK_SET);
  if (position < 0) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(position);
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  std::string path = PosixPathOf(lpFileName);
  if (path.empty()) return FALSE;
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return Fail(ErrorFromErrno(errno, path), FALSE);
  if (S_ISDIR(info.st_mode)) return Fail(ERROR_ACCESS_DENIED, FALSE);
  std::lock_guard lock(shareMutex);
  if (AnyHandleForbidsDelete(info)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  if (unlink(path.c_str()) != 0) return Fail(ErrorFromErrno(errno, path), FALSE);
  return TRUE;
}

BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
  const std::string from = PosixPathOf(lpExistingFileName), to = PosixPathOf(lpNewFileName);
  if (from.empty() || to.empty()) return FALSE;
  struct stat info {};
  if (lstat(from.c_str(), &info) != 0) return Fail(ErrorFromErrno(errno, from), FALSE);
  std::lock_guard lock(shareMutex);
  if (AnyHandleForbidsDelete(info)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
  // link + unlink instead of rename, so that an existing new name is never replaced.
  if (!S_ISDIR(info.st_mode)) {
    if (link(from.c_str(), to.c_str()) != 0) return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFromErrno(errno, to), FALSE);
    if (unlink(from.c_str()) != 0) return Fail(ErrorFromErrno(errno, from), FALSE);
    return TRUE;
  }
  struct stat existing {};
  if (lstat(to.c_str(), &existing) == 0) return Fail(ERROR_ALREADY_EXISTS, FALSE);
  if (rename(from.c_str(), to.c_str()) != 0) return Fail(ErrorFromErrno(errno, to), FALSE);
  return TRUE;
}

namespace {

// Copies the open source to the open target; false with the last error set.
bool CopyContents(HANDLE source, HANDLE target) {
  std::vector<char> buffer(1 << 16);
  for (;;) {
    DWORD got = 0, put = 0;
    if (!ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return false;
    if (got == 0) return true;
    if (!WriteFile(target, buffer.data(), got, &put, nullptr)) return false;
  }
}

}  // namespace

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  HANDLE source = CreateFileA(lpExistingFileName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (source == INVALID_HANDLE_VALUE) return FALSE;
  HANDLE target = CreateFileA(lpNewFileName, GENERIC_WRITE, 0, nullptr,
                              bFailIfExists ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (target == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    CloseHandle(source);
    return Fail(error, FALSE);
  }
  bool copied = CopyContents(source, target);
  DWORD error = GetLastError();
  CloseHandle(source);
  CloseHandle(target);
  if (copied) return win32::detail::Fail(ERROR_SUCCESS, TRUE);
  DeleteFileA(lpNewFileName);  // no half-copied file is left behind
  return Fail(error, FALSE);
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  std::string path = PosixPathOf(lpFileName);
  if (path.empty()) return INVALID_FILE_ATTRIBUTES;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return Fail(ErrorFromErrno(errno, path), INVALID_FILE_ATTRIBUTES);
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (access(path.c_str(), W_OK) != 0 && !S_ISDIR(info.st_mode)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  std::string path = PosixPathOf(lpPathName);
  if (path.empty()) return FALSE;
  if (mkdir(path.c_str(), 0777) == 0) return TRUE;
  if (errno == EEXIST) return Fail(ERROR_ALREADY_EXISTS, FALSE);
  return Fail(ErrorFromErrno(errno, path), FALSE);
}
