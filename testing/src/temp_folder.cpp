#include "testing/temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "win32/posix.h"

namespace rwtest {

TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder can be made: " + pattern);
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::windows(const std::string& name) const {
  if (name.empty()) return win32::ToWindowsPath(path_.string()) + "\\";
  return win32::ToWindowsPath((path_ / name).string());
}

void TempFolder::write(const std::string& name, const std::string& content) const {
  std::filesystem::create_directories((path_ / name).parent_path());
  std::ofstream(path_ / name, std::ios::binary) << content;
}

std::string TempFolder::read(const std::string& name) const { return readFile(path_ / name); }

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace rwtest
