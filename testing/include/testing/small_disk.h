#pragma once
// A small file system (tmpfs, 64 KB unless told) mounted on a new folder, for
// writes that must survive a full or read-only disk. Mounting needs the privilege to do so:
// where the machine refuses, mounted() is false and why() says why.
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace rwtest {

class SmallDisk {
 public:
  enum class Mode { Writable, ReadOnly };

  explicit SmallDisk(std::filesystem::path folder, Mode mode = Mode::Writable, int kilobytes = 64)
      : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    const unsigned long flags = mode == Mode::ReadOnly ? MS_RDONLY : 0;
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0777";
    mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", flags, options.c_str()) == 0;
    if (!mounted_) why_ = std::strerror(errno);
  }
  ~SmallDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why() const { return why_; }
  const std::filesystem::path& path() const { return folder_; }

  // Fills what is left with the file "filler"; makeRoom() removes it.
  void fill() const {
    std::ofstream filler(folder_ / "filler", std::ios::binary);
    const std::string block(512, 'f');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
    }
  }
  void makeRoom() const { std::filesystem::remove(folder_ / "filler"); }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace rwtest
