#include "raster/world_file.h"

#include <windows.h>

#include <cstdio>

namespace {

// One line of fourteen decimals. The value is printed from extended
// precision so that a decimal result such as 100 - 0.1 reads 99.90000000000000
// and not the nearest double's 99.90000000000001.
std::string worldFileLine(const char* format, long double value) {
  char line[128];
  std::snprintf(line, sizeof line, format, value);
  return std::string(line) + "\r\n";
}

}  // namespace

std::string worldFileExtension(const std::string& plotFileType) {
  std::string extension = plotFileType;
  if (extension.size() > 1) extension.erase(1, 1);
  return extension + "w";
}

bool writeWorldFile(const std::string& basePath, const std::string& worldExtension, const PlotWindow& extents,
                    const AcGeVector2d& pixelSize) {
  const long double size = pixelSize.x;
  // Readers place the picture by the centre of its upper-left pixel.
  const std::string content = worldFileLine("%.14Lf", size) + worldFileLine("%.14Lf", 0) +
                              worldFileLine("%.14Lf", 0) + worldFileLine("-%.14Lf", size) +
                              worldFileLine("%.14Lf", extents.first.x + size / 2) +
                              worldFileLine("%.14Lf", extents.second.y - size / 2);
  const std::string path = basePath + "." + worldExtension;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  if (ok && written == content.size()) return true;
  DeleteFileA(path.c_str());  // no half-written world file
  return false;
}
