#pragma once
// The drawing file behind a database: the document at tag level and what the
// database needs to write its objects back into it.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "arx/drawing.h"
#include "dxf/document.h"
#include "dxf/text.h"

namespace arx {

struct RecordRef {
  int section = -1;
  std::uint32_t record = 0;
  bool valid() const { return section >= 0; }
};

struct DrawingFile {
  dxf::Document doc;
  dxf::Encoding encoding;
  std::string version = "AC1015";  // the version it is saved in
  RecordRef vport, modelLayout;    // the active viewport, the model layout

  // Text of the file as code page 1252, and back.
  std::string text(std::string_view value) const { return dxf::toCp1252(value, encoding); }
  std::string fileText(std::string_view text) const { return dxf::fromCp1252(text, encoding); }
  const dxf::Record& record(RecordRef r) const { return doc.sections[r.section].records[r.record]; }
};

std::string hexHandle(std::uint64_t handle);
// A handle's value, or 0 when the text is none.
std::uint64_t parseHandle(std::string_view text);

}  // namespace arx

namespace arx::file {

// Handles of the records an empty drawing is made of that the database keeps as objects.
struct SkeletonHandles {
  std::uint64_t namedObjects = 0, blockTable = 0, layerTable = 0, modelSpace = 0, paperSpace = 0;
  std::uint64_t layoutDictionary = 0, modelLayout = 0;  // 0: new ones
};

// An empty release-2000 drawing: header, tables, model and paper space, the
// root dictionary with groups and layouts. Handles that are 0 come from `next`.
dxf::Document emptyDrawing(SkeletonHandles handles, std::uint64_t& next, const PageSetup& setup, const View& view);

// A drawing of release 12 (or a file without the tables and objects of
// release 2000) made into a release-2000 one, as the drawing editor does.
void convertToRelease2000(DrawingFile& file);
// Whether the file must be converted before the database can use it.
bool needsConversion(const dxf::Document& doc);

// Reads the document into `db` (built without the default drawing).
FileResult loadDocument(std::shared_ptr<DrawingFile> file, AcDbDatabase& db);
// The document as a save would write it now, without writing it: changed
// records patched, new ones made, model-space entities in draw order.
std::vector<dxf::Section> currentSections(const AcDbDatabase& db);
// Writes the database through its document to `path`.
FileResult saveDocument(const AcDbDatabase& db, const std::string& path);

}  // namespace arx::file
