#pragma once
// A fresh folder for one test under the system's temporary folder, removed
// with everything in it when the folder object goes, however the test ends.
#include <filesystem>
#include <string>

namespace rwtest {

class TempFolder {
 public:
  // The folder is named PREFIX-XXXXXX, which tells whose a left-over folder
  // is; throws std::runtime_error when none can be made.
  explicit TempFolder(const std::string& prefix = "rw-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The POSIX path of a name inside the folder.
  std::string posix(const std::string& name) const { return (path_ / name).string(); }
  // The Windows path of a name inside the folder (as the drive map gives it);
  // with "" the folder itself with a trailing backslash.
  std::string windows(const std::string& name = "") const;
  bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
  // Writes a file (its folders made as needed) / reads one ("" when missing).
  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// The whole content of a file; "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace rwtest
