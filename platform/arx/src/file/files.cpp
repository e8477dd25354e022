// Opening and saving drawing files.
#include "db/database_impl.h"
#include "file/drawing_file.h"
#include "win32/posix.h"

namespace arx {
namespace {

FileResult failure(const std::string& path, const std::string& why) { return FileResult(false, path + ": " + why); }

}  // namespace

FileResult readDxf(const std::string& path, AcDbDatabase& into) {
  if (into.modelSpaceId().isNull() || into.layerTableId().isNull())
    return failure(path, "the drawing to read into has no tables");
  auto file = std::make_shared<DrawingFile>();
  dxf::ReadError error;
  if (!dxf::load(path, file->doc, error)) return failure(path, error.text());
  AcDbDatabase read(false);
  FileResult result = file::loadDocument(std::move(file), read);
  if (!result.ok) return failure(path, result.error);
  // The drawing read takes the place of what `into` held.
  std::swap(into.impl(), read.impl());
  for (auto& stub : into.impl().stubs) stub->db = &into;
  for (auto& stub : read.impl().stubs) stub->db = &read;
  return result;
}

FileResult writeDxf(const AcDbDatabase& db, const std::string& path) {
  if (db.modelSpaceId().isNull() || db.layerTableId().isNull() || db.namedObjectsDictionaryId().isNull())
    return failure(path, "the drawing has no tables to save");
  FileResult result = file::saveDocument(db, path);
  if (!result.ok) return failure(path, result.error);
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
