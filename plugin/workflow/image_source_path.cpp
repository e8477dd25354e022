#include "workflow/image_source_path.h"

#include "frame/text.h"

bool splitImageSourcePath(const std::string& path, std::string& basePath, std::string& extension) {
  const std::string folder = FolderOfPath(path);
  const std::string name = FileNameOfPath(path);
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot + 1 == name.size()) {
    basePath.clear();
    extension.clear();
    return false;
  }
  basePath = folder + name.substr(0, dot);
  extension = name.substr(dot + 1);
  return true;
}
