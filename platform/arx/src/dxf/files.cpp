// Opening and saving drawing files.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "db/database_impl.h"
#include "dxf/io.h"
#include "win32/posix.h"

namespace arx {
namespace {

FileResult failure(const std::string& path, const std::string& why) {
  FileResult result;
  result.error = path + ": " + why;
  return result;
}

}  // namespace

FileResult readDxf(const std::string& path, AcDbDatabase& into) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return failure(path, "is a folder, not a drawing file");
  std::ifstream in(path, std::ios::binary);
  if (!in) return failure(path, std::string("cannot open the file: ") + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return failure(path, "cannot read the file");
  FileResult result = dxf::readText(text.str(), into);
  if (!result.ok) result.error = path + ": " + result.error;
  return result;
}

// Writes beside the target and renames, so a failed save never leaves a half-written drawing.
FileResult writeDxf(const AcDbDatabase& db, const std::string& path) {
  std::string text;
  FileResult result = dxf::writeText(db, text);
  if (!result.ok) return failure(path, result.error);
  const std::string temp = path + ".~" + std::to_string(::getpid()) + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return failure(path, std::string("cannot create the file: ") + std::strerror(errno));
    out << text;
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temp);
      return failure(path, "cannot write the file (disk full?)");
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return failure(path, "cannot replace the file: " + ec.message());
  }
  return result;
}

FileResult openDrawing(const std::string& path) {
  auto db = std::make_unique<AcDbDatabase>();
  FileResult result = readDxf(path, *db);
  if (!result.ok) return result;
  setDrawingPath(*db, win32::ToWindowsPath(path));
  adoptDrawing(std::move(db));
  return result;
}

FileResult saveDrawing(const std::string& path) {
  AcDbDatabase& db = workingDrawing();
  FileResult result = writeDxf(db, path);
  if (result.ok) setDrawingPath(db, win32::ToWindowsPath(path));
  return result;
}

}  // namespace arx
