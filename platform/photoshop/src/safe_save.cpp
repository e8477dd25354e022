#include "safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "pixel_error.h"

namespace photoshop::detail {
namespace {

[[noreturn]] void Fail(int error) { throw PixelError(std::strerror(error)); }

// A new empty file beside the target: ".NAME.XXXXXX".
std::string TemporaryBeside(const std::string& path) {
  const std::filesystem::path target(path);
  std::string name = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(name.data());
  if (fd < 0) Fail(errno);
  const mode_t mask = umask(0);  // a new file gets the usual permissions, not mkstemp's 0600
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  return name;
}

void SyncFolderOf(const std::string& path) {
  const int fd = open(std::filesystem::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);  // the rename itself; a failure here loses no data
  close(fd);
}

}  // namespace

void SaveReplacing(const std::string& posixPath, const std::function<void(const std::string&)>& write) {
  const std::string temporary = TemporaryBeside(posixPath);
  try {
    write(temporary);
    if (std::rename(temporary.c_str(), posixPath.c_str()) != 0) Fail(errno);
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  SyncFolderOf(posixPath);
}

void WriteWholeFile(const std::string& posixPath, const void* data, size_t size) {
  const int fd = open(posixPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) Fail(errno);
  const char* bytes = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : ENOSPC;
      close(fd);
      Fail(error);
    }
    done += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0) {
    const int error = errno;
    close(fd);
    Fail(error);
  }
  if (close(fd) != 0) Fail(errno);
}

}  // namespace photoshop::detail
