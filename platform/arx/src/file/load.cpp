// Reading a drawing's document into the database: the objects the database
// models (layers, block records, model-space lines, polylines, circles, arcs,
// texts and images, the image dictionary and definitions, raster variables,
// the model layout, the active view) are made from their records and remember
// them; every other model-space entity is kept as a proxy of its records.
// Everything else stays in the document and is written back as it is.
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>

#include "db/database_impl.h"
#include "dbdict.h"
#include "dblayout.h"
#include "arx/render/render.h"
#include "dbents.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "file/draw_order.h"
#include "file/drawing_file.h"
#include "imgdef.h"
#include "imgent.h"
#include "imgvars.h"

namespace arx::file {
namespace {

constexpr double kRadian = 3.14159265358979323846 / 180.0;

std::string trimmedUpper(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return upperKey(s);
}

int sectionIndex(const dxf::Document& doc, std::string_view name) {
  for (std::size_t i = 0; i < doc.sections.size(); ++i)
    if (doc.sections[i].name == name) return static_cast<int>(i);
  return -1;
}

// Name -> handle entries of a dictionary record, in order.
std::vector<std::pair<std::string, std::uint64_t>> entriesOf(const dxf::Document& doc, const dxf::Record& r) {
  std::vector<std::pair<std::string, std::uint64_t>> out;
  std::string name;
  bool named = false;
  for (std::uint32_t i = 1; i < r.count; ++i) {
    const int code = doc.code(r, i);
    if (code == 3) name = std::string(doc.value(r, i)), named = true;
    if ((code == 350 || code == 360) && named) out.emplace_back(name, parseHandle(doc.value(r, i))), named = false;
  }
  return out;
}

// Handles in the reactors group of a record ("{ACAD_REACTORS" ... "}").
std::vector<std::uint64_t> reactorsOf(const dxf::Document& doc, const dxf::Record& r) {
  std::vector<std::uint64_t> out;
  bool inside = false;
  for (std::uint32_t i = 1; i < r.count; ++i) {
    const int code = doc.code(r, i);
    if (code == 102) inside = doc.value(r, i) == "{ACAD_REACTORS";
    else if (inside && code == 330) out.push_back(parseHandle(doc.value(r, i)));
  }
  return out;
}

// The handle group of a record: 105 for dimension styles, 5 for all others.
int handleCode(std::string_view type) { return type == "DIMSTYLE" ? 105 : 5; }

struct Located {
  std::uint64_t handle;
  int section;
  std::uint32_t record;
  bool operator<(const Located& o) const {
    return std::tie(handle, section, record) < std::tie(o.handle, o.section, o.record);
  }
};

class Loader {
 public:
  // A converted file's records got their handles here, without a note.
  Loader(DrawingFile& file, AcDbDatabase& db, bool converted)
      : m_file(file), m_doc(file.doc), m_db(db), m_converted(converted) {}

  FileResult run() {
    indexHandles();
    readTables();
    readEntities();
    readObjects();
    closeAll();
    readHeader();
    return FileResult(true, "", notes());
  }

 private:
  // --- handles --------------------------------------------------------------------

  // Every record with a handle, looked up by handle; records without one or
  // with one another record has already get new handles, as recover does.
  void indexHandles() {
    const std::uint64_t seed = parseHandle(header("$HANDSEED"));
    std::vector<RecordRef> missing;
    for (const char* name : {"TABLES", "BLOCKS", "ENTITIES", "OBJECTS"}) {
      const int s = sectionIndex(m_doc, name);
      if (s < 0) continue;
      const auto& records = m_doc.sections[s].records;
      for (std::uint32_t i = 0; i < records.size(); ++i) {
        const std::string_view type = m_doc.type(records[i]);
        if (type == "ENDTAB") continue;
        const auto value = m_doc.text(records[i], handleCode(type));
        const std::uint64_t h = value ? parseHandle(*value) : 0;
        if (h == 0) missing.push_back({s, i});
        else m_index.push_back({h, s, i});
      }
    }
    std::sort(m_index.begin(), m_index.end());
    std::uint64_t next = std::max<std::uint64_t>(seed, m_index.empty() ? 1 : m_index.back().handle + 1);
    std::vector<RecordRef> duplicates;
    for (std::size_t i = 1; i < m_index.size(); ++i)
      if (m_index[i].handle == m_index[i - 1].handle) duplicates.push_back({m_index[i].section, m_index[i].record});
    for (const RecordRef& r : missing) giveHandle(r, next++);
    std::vector<std::pair<RecordRef, std::uint64_t>> renamed;  // and the handle they had
    for (const RecordRef& r : duplicates) {
      renamed.push_back({r, handleOf(record(r))});
      giveHandle(r, next++);
    }
    if (!missing.empty() || !duplicates.empty()) {
      std::sort(m_index.begin(), m_index.end());
      m_index.erase(std::unique(m_index.begin(), m_index.end(),
                                [](const Located& a, const Located& b) { return a.handle == b.handle; }),
                    m_index.end());
    }
    for (const auto& [ref, old] : renamed) ownNewHandle(ref, old);
    if (!m_converted && (!missing.empty() || !duplicates.empty()))
      m_notes.push_back("recovered: " + std::to_string(missing.size()) + " objects without a handle and " +
                        std::to_string(duplicates.size()) + " with a duplicate handle got new handles");
    m_db.impl().nextHandle = std::max(m_db.impl().nextHandle, next);
  }

  void giveHandle(RecordRef ref, std::uint64_t handle) {
    dxf::Record& r = m_doc.sections[ref.section].records[ref.record];
    dxf::TagList tags = m_doc.tags(r);
    const int code = handleCode(tags[0].second);
    auto it = std::find_if(tags.begin() + 1, tags.end(), [code](const auto& t) { return t.first == code; });
    if (it != tags.end()) it->second = hexHandle(handle);
    else tags.insert(tags.begin() + 1, {code, hexHandle(handle)});
    r = m_doc.add(tags, r.line);
    m_index.push_back({handle, ref.section, ref.record});
  }

  // What a record with a new handle owns follows it: its extension
  // dictionary and the VERTEX, ATTRIB and SEQEND records after it.
  void ownNewHandle(RecordRef ref, std::uint64_t old) {
    const std::string now = hexHandle(handleOf(record(ref)));
    auto reown = [&](RecordRef owned) {
      dxf::Record& r = m_doc.sections[owned.section].records[owned.record];
      dxf::TagList tags = m_doc.tags(r);
      bool changed = false;
      for (auto& t : tags)
        if (t.first == 330 && parseHandle(t.second) == old) t.second = now, changed = true;
      if (changed) r = m_doc.add(tags, r.line);
    };
    const dxf::Record& r = record(ref);
    for (std::uint32_t i = 1; i + 1 < r.count; ++i)
      if (m_doc.code(r, i) == 102 && m_doc.value(r, i) == "{ACAD_XDICTIONARY" && m_doc.code(r, i + 1) == 360)
        if (const auto dict = find(parseHandle(m_doc.value(r, i + 1)))) reown(*dict);
    const auto& records = m_doc.sections[ref.section].records;
    for (std::uint32_t i = ref.record + 1; i < records.size(); ++i) {
      const std::string_view type = m_doc.type(records[i]);
      if (type != "VERTEX" && type != "ATTRIB" && type != "SEQEND") break;
      reown({ref.section, i});
    }
  }

  std::optional<RecordRef> find(std::uint64_t handle) const {
    auto it = std::lower_bound(m_index.begin(), m_index.end(), Located{handle, -1, 0});
    if (it == m_index.end() || it->handle != handle) return std::nullopt;
    return RecordRef{it->section, it->record};
  }
  const dxf::Record& record(RecordRef r) const { return m_doc.sections[r.section].records[r.record]; }
  std::uint64_t handleOf(const dxf::Record& r) const {
    const auto v = m_doc.text(r, handleCode(m_doc.type(r)));
    return v ? parseHandle(*v) : 0;
  }
  std::string_view header(std::string_view name) const {
    const long i = m_doc.headerVariable(name);
    return i < 0 ? std::string_view() : m_doc.value(m_doc.sections[sectionIndex(m_doc, "HEADER")].head, i);
  }

  // --- making objects --------------------------------------------------------------

  // Adds `object` under the record's handle; it stays open for write until the end.
  template <typename T>
  T* add(T* object, RecordRef ref, AcDbObjectId& id, std::uint32_t records = 1) {
    addToDatabase(m_db, object, id, handleOf(record(ref)));
    bind(id, ref, records);
    m_open.push_back(object);
    return object;
  }
  void bind(AcDbObjectId id, RecordRef ref, std::uint32_t records = 1) {
    id.stub()->section = ref.section;
    id.stub()->record = ref.record;
    id.stub()->records = records;
  }
  void closeAll() {
    for (AcDbObject* o : m_open) o->close();
    m_open.clear();
  }
  std::string text(const dxf::Record& r, int code) const { return m_file.text(m_doc.text(r, code).value_or("")); }

  // --- tables ----------------------------------------------------------------------

  void readTables() {
    const int s = sectionIndex(m_doc, "TABLES");
    auto& impl = m_db.impl();
    std::string table;
    for (std::uint32_t i = 0; s >= 0 && i < m_doc.sections[s].records.size(); ++i) {
      const RecordRef ref{s, i};
      const dxf::Record& r = record(ref);
      const std::string_view type = m_doc.type(r);
      AcDbObjectId id;
      if (type == "TABLE") {
        table = trimmedUpper(m_doc.text(r, 2).value_or(""));
        if (table == "LAYER" && impl.layerTable.isNull()) add(new AcDbLayerTable, ref, impl.layerTable)->close();
        if (table == "BLOCK_RECORD" && impl.blockTable.isNull()) add(new AcDbBlockTable, ref, impl.blockTable)->close();
      } else if (type == "LAYER" && table == "LAYER") {
        readLayer(ref);
      } else if (type == "BLOCK_RECORD" && table == "BLOCK_RECORD") {
        readBlockRecord(ref);
      } else if (type == "VPORT" && table == "VPORT" && !m_file.vport.valid() &&
                 trimmedUpper(m_doc.text(r, 2).value_or("")) == "*ACTIVE") {
        readView(r);
        m_file.vport = ref;
      }
    }
    if (impl.layerTable.isNull()) addClosed(new AcDbLayerTable, impl.layerTable);
    if (impl.blockTable.isNull()) addClosed(new AcDbBlockTable, impl.blockTable);
    if (impl.modelSpace.isNull()) impl.modelSpace = newBlockRecord(ACDB_MODEL_SPACE);
    const AcDbObjectId zero = addLayer(m_db, Layer{"0"});
    if (impl.clayer.isNull()) impl.clayer = zero;
  }

  void addClosed(AcDbObject* object, AcDbObjectId& id) {
    addToDatabase(m_db, object, id);
    object->close();
  }

  AcDbObjectId newBlockRecord(const char* name) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(table, m_db.impl().blockTable, AcDb::kForWrite) != Acad::eOk) return id;
    auto* record = new AcDbBlockTableRecord;
    record->setName(name);
    if (table->add(id, record) == Acad::eOk) record->close();
    else delete record;
    table->close();
    return id;
  }

  // A symbol table record added to its table under the record's handle.
  template <typename Record, typename Table>
  AcDbObjectId addRecord(Record* object, AcDbObjectId tableId, RecordRef ref) {
    Table* table = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(table, tableId, AcDb::kForWrite) != Acad::eOk) return delete object, id;
    if (table->add(id, object) != Acad::eOk) {  // a second record of the same name stays as it is
      delete object;
      table->close();
      return AcDbObjectId();
    }
    table->close();
    rehandle(m_db, id.stub(), handleOf(record(ref)));
    bind(id, ref);
    object->close();
    return id;
  }

  void readLayer(RecordRef ref) {
    const dxf::Record& r = record(ref);
    const std::string name = text(r, 2);
    if (name.empty() || m_db.impl().layerTable.isNull()) return;
    auto* layer = new AcDbLayerTableRecord;
    layer->setName(name.c_str());
    const long long color = m_doc.integer(r, 62, 7);
    AcCmColor c;
    c.setColorIndex(static_cast<Adesk::UInt16>(std::llabs(color) >= 1 && std::llabs(color) <= 255 ? std::llabs(color) : 7));
    layer->setColor(c);
    layer->setIsOff(color < 0);
    layer->setIsFrozen((m_doc.integer(r, 70, 0) & 1) != 0);
    layer->setIsPlottable(m_doc.integer(r, 290, 1) != 0);
    const AcDbObjectId id = addRecord<AcDbLayerTableRecord, AcDbLayerTable>(layer, m_db.impl().layerTable, ref);
    if (!id.isNull()) m_layers[upperKey(name)] = id;
  }

  void readBlockRecord(RecordRef ref) {
    const std::string name = text(record(ref), 2);
    if (name.empty() || m_db.impl().blockTable.isNull()) return;
    auto* block = new AcDbBlockTableRecord;
    block->setName(name.c_str());
    const AcDbObjectId id = addRecord<AcDbBlockTableRecord, AcDbBlockTable>(block, m_db.impl().blockTable, ref);
    const std::string key = upperKey(name);
    if (key == "*MODEL_SPACE" && m_db.impl().modelSpace.isNull()) m_db.impl().modelSpace = id;
    if (key == "*PAPER_SPACE" && m_db.impl().paperSpace.isNull()) m_db.impl().paperSpace = id;
  }

  void readView(const dxf::Record& r) {
    View& v = view(m_db);
    v.center = {m_doc.real(r, 12, 0.0), m_doc.real(r, 22, 0.0)};
    const double height = m_doc.real(r, 40, 1.0), aspect = m_doc.real(r, 41, v.aspect);
    v.height = height > 0.0 ? height : 1.0;
    v.aspect = aspect > 0.0 ? aspect : v.aspect;
    v.twist = m_doc.real(r, 51, 0.0) * kRadian;
  }

  // --- entities --------------------------------------------------------------------

  AcDbObjectId layerId(const dxf::Record& r) {
    std::string name = text(r, 8);
    if (name.empty()) name = "0";
    const std::string key = upperKey(name);
    auto it = m_layers.find(key);
    if (it != m_layers.end()) return it->second;
    return m_layers[key] = addLayer(m_db, Layer{name});
  }

  void readEntities() {
    const int s = sectionIndex(m_doc, "ENTITIES");
    AcDbBlockTableRecord* space = nullptr;
    if (s < 0 || acdbOpenObject(space, m_db.impl().modelSpace, AcDb::kForWrite) != Acad::eOk) return;
    const std::uint64_t spaceHandle = m_db.impl().modelSpace.handle().value();
    const auto& records = m_doc.sections[s].records;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
      const dxf::Record& r = records[i];
      const std::string_view type = m_doc.type(r);
      const auto owner = m_doc.text(r, 330);
      if (m_doc.integer(r, 67, 0) == 1 || (owner && parseHandle(*owner) != spaceHandle)) continue;
      std::uint32_t taken = 1;
      AcDbEntity* entity = shapeEntity(type, {s, i}, taken);
      if (!entity && !isSubEntity(type)) entity = keptEntity(type, {s, i}, taken);
      if (entity) append(space, entity, r, {s, i}, taken);
      i += taken - 1;
    }
    // A sort table gives the draw order; without one it is the file's order.
    if (const auto table = findSortTable(m_doc, spaceHandle))
      std::stable_sort(space->entityIds().begin(), space->entityIds().end(),
                       [&](AcDbObjectId a, AcDbObjectId b) {
                         return table->key(a.handle().value()) < table->key(b.handle().value());
                       });
    space->close();
  }

  void append(AcDbBlockTableRecord* space, AcDbEntity* entity, const dxf::Record& r, RecordRef ref, std::uint32_t taken) {
    const long long color = m_doc.integer(r, 62, 256);
    entity->setColorIndex(static_cast<Adesk::UInt16>(color >= 0 && color <= 256 ? color : 256));
    entity->setLayer(layerId(r));
    AcDbObjectId id;
    if (addToDatabase(m_db, entity, id, handleOf(r)) != Acad::eOk) return delete entity;
    entity->setOwnerId(space->objectId());
    space->entityIds().push_back(id);
    bind(id, ref, taken);
    entity->close();
    if (AcDbRasterImage::cast(entity))
      m_images.push_back({id, parseHandle(m_doc.text(r, 340).value_or("")), parseHandle(m_doc.text(r, 360).value_or(""))});
  }

  static bool isSubEntity(std::string_view type) { return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND"; }

  // Any other entity is kept as its records: the entity's own and the
  // VERTEX or ATTRIB records up to the SEQEND that follow it.
  AcDbEntity* keptEntity(std::string_view type, RecordRef ref, std::uint32_t& taken) {
    const auto& records = m_doc.sections[ref.section].records;
    if (taken == 1) {
      std::uint32_t end = ref.record + 1;
      while (end < records.size() && (m_doc.type(records[end]) == "VERTEX" || m_doc.type(records[end]) == "ATTRIB")) ++end;
      if (end > ref.record + 1 && end < records.size() && m_doc.type(records[end]) == "SEQEND") ++end;
      taken = end - ref.record;
    }
    if (!render::drawsEntityType(type)) ++m_kept[std::string(type)];
    return new AcDbProxyEntity(std::string(type).c_str());
  }

  // The entity of a record of a kind the database draws, or null.
  AcDbEntity* shapeEntity(std::string_view type, RecordRef ref, std::uint32_t& taken) {
    const dxf::Record& r = record(ref);
    auto point = [&](int code) { return Point{m_doc.real(r, code, 0.0), m_doc.real(r, code + 10, 0.0)}; };
    auto make = [](AcDbEntity* e, const Shape& shape) {
      setShape(e, shape);
      return e;
    };
    if (type == "LINE") return make(new AcDbLine, LineShape{point(10), point(11)});
    if (type == "CIRCLE") return make(new AcDbCircle, CircleShape{point(10), m_doc.real(r, 40, 0.0)});
    if (type == "ARC")
      return make(new AcDbArc, ArcShape{point(10), m_doc.real(r, 40, 0.0), m_doc.real(r, 50, 0.0) * kRadian,
                                        m_doc.real(r, 51, 0.0) * kRadian});
    if (type == "TEXT") {
      const double height = m_doc.real(r, 40, 0.0);
      return make(new AcDbText, TextShape{point(10), height > 0.0 ? height : 2.5, m_doc.real(r, 50, 0.0) * kRadian,
                                          text(r, 1)});
    }
    if (type == "LWPOLYLINE") return make(new AcDbPolyline, lightPolyline(r));
    if (type == "POLYLINE") return polyline(ref, taken);
    if (type == "IMAGE") {
      auto* image = new AcDbRasterImage;
      auto vector = [&](int code) {
        return AcGeVector3d(m_doc.real(r, code, 0.0), m_doc.real(r, code + 10, 0.0), m_doc.real(r, code + 20, 0.0));
      };
      image->setPixelVectors({m_doc.real(r, 10, 0.0), m_doc.real(r, 20, 0.0), m_doc.real(r, 30, 0.0)}, vector(11),
                             vector(12));
      const long long options = m_doc.integer(r, 70, AcDbRasterImage::kShow | AcDbRasterImage::kShowUnAligned);
      image->setDisplayOpt(AcDbRasterImage::kTransparent, (options & AcDbRasterImage::kTransparent) != 0);
      image->setDisplayOpt(AcDbRasterImage::kShow, (options & AcDbRasterImage::kShow) != 0);
      return image;
    }
    return nullptr;
  }

  PolylineShape lightPolyline(const dxf::Record& r) {
    PolylineShape shape;
    shape.closed = (m_doc.integer(r, 70, 0) & 1) != 0;
    double value = 0.0;
    for (std::uint32_t i = 1; i < r.count; ++i) {
      const int code = m_doc.code(r, i);
      if (code != 10 && code != 20 && code != 42) continue;
      dxf::parseReal(m_doc.value(r, i), value);
      if (code == 10) shape.vertices.push_back({{value, 0.0}, 0.0});
      else if (shape.vertices.empty()) continue;
      else if (code == 20) shape.vertices.back().point.y = value;
      else shape.vertices.back().bulge = value;
    }
    return shape;
  }

  // A two-dimensional POLYLINE with its VERTEX records and SEQEND; meshes,
  // polyface meshes and 3D polylines stay as they are.
  AcDbEntity* polyline(RecordRef ref, std::uint32_t& taken) {
    const auto& records = m_doc.sections[ref.section].records;
    std::uint32_t end = ref.record + 1;
    while (end < records.size() && m_doc.type(records[end]) == "VERTEX") ++end;
    if (end < records.size() && m_doc.type(records[end]) == "SEQEND") ++end;
    taken = end - ref.record;
    const long long flags = m_doc.integer(record(ref), 70, 0);
    if (flags & (8 | 16 | 64)) return nullptr;
    PolylineShape shape;
    shape.closed = (flags & 1) != 0;
    for (std::uint32_t i = ref.record + 1; i < end; ++i) {
      const dxf::Record& v = records[i];
      if (m_doc.type(v) != "VERTEX" || (m_doc.integer(v, 70, 0) & 16)) continue;  // not spline frame points
      shape.vertices.push_back({{m_doc.real(v, 10, 0.0), m_doc.real(v, 20, 0.0)}, m_doc.real(v, 42, 0.0)});
    }
    auto* entity = new AcDbPolyline;
    setShape(entity, shape);
    return entity;
  }

  // --- objects ---------------------------------------------------------------------

  void readObjects() {
    const int s = sectionIndex(m_doc, "OBJECTS");
    auto& impl = m_db.impl();
    if (s >= 0 && !m_doc.sections[s].records.empty() && m_doc.type(m_doc.sections[s].records[0]) == "DICTIONARY") {
      auto* root = add(new AcDbDictionary, {s, 0}, impl.namedObjects);
      readReactors(s);
      for (const auto& [name, handle] : entriesOf(m_doc, record({s, 0}))) rootEntry(root, name, handle);
    }
    if (impl.namedObjects.isNull()) addClosed(new AcDbDictionary, impl.namedObjects);
    linkImages();
    if (!m_file.modelLayout.valid() && s >= 0) findModelLayout(s);
  }

  void rootEntry(AcDbDictionary* root, const std::string& name, std::uint64_t handle) {
    const auto ref = find(handle);
    if (!ref) return;
    const std::string key = upperKey(name);
    const std::string_view type = m_doc.type(record(*ref));
    AcDbObjectId id;
    if (key == "ACAD_IMAGE_DICT" && type == "DICTIONARY") {
      auto* dict = add(new AcDbDictionary, *ref, id);
      root->setAt(m_file.text(name).c_str(), dict, id);
      for (const auto& [entry, h] : entriesOf(m_doc, record(*ref))) imageDefinition(dict, entry, h);
    } else if (key == "ACAD_IMAGE_VARS" && type == "RASTERVARIABLES") {
      auto* vars = add(new AcDbRasterVariables, *ref, id);
      const dxf::Record& r = record(*ref);
      vars->setImageFrame(m_doc.integer(r, 70, 1) ? m_doc.integer(r, 70, 1) == 2 ? AcDbRasterVariables::kImageFrameBelow
                                                                                  : AcDbRasterVariables::kImageFrameOn
                                                  : AcDbRasterVariables::kImageFrameOff);
      vars->setImageQuality(m_doc.integer(r, 71, 1) ? AcDbRasterVariables::kImageQualityHigh
                                                    : AcDbRasterVariables::kImageQualityDraft);
      root->setAt(m_file.text(name).c_str(), vars, id);
    } else if (key == "ACAD_LAYOUT" && type == "DICTIONARY") {
      auto* dict = add(new AcDbDictionary, *ref, id);
      root->setAt(m_file.text(name).c_str(), dict, id);
      for (const auto& [entry, h] : entriesOf(m_doc, record(*ref))) {
        const auto layoutRef = find(h);
        if (upperKey(entry) != "MODEL" || !layoutRef || m_doc.type(record(*layoutRef)) != "LAYOUT") continue;
        AcDbObjectId layoutId;
        dict->setAt(m_file.text(entry).c_str(), add(new AcDbLayout, *layoutRef, layoutId), layoutId);
        readPageSetup(record(*layoutRef));
        m_file.modelLayout = *layoutRef;
      }
    }
  }

  void imageDefinition(AcDbDictionary* dict, const std::string& name, std::uint64_t handle) {
    const auto ref = find(handle);
    if (!ref || m_doc.type(record(*ref)) != "IMAGEDEF") return;
    const dxf::Record& r = record(*ref);
    AcDbObjectId id;
    auto* def = add(new AcDbRasterImageDef, *ref, id);
    def->setSourceFileName(text(r, 1).c_str());
    if (def->load() != Acad::eOk)
      def->setStoredSize(static_cast<int>(std::clamp(m_doc.real(r, 10, 0.0), 0.0, 1e9)),
                         static_cast<int>(std::clamp(m_doc.real(r, 20, 0.0), 0.0, 1e9)), false);
    dict->setAt(m_file.text(name).c_str(), def, id);
    for (std::uint64_t reactor : reactorsOf(m_doc, r)) {
      AcDbObjectId reactorId = idFromHandle(reactor);
      if (!reactorId.isNull() && reactorId.stub()->object &&
          reactorId.stub()->object->isKindOf(AcDbRasterImageDefReactor::desc()))
        def->addPersistentReactor(reactorId);
    }
  }

  AcDbObjectId idFromHandle(std::uint64_t handle) const {
    auto it = m_db.impl().byHandle.find(handle);
    return it == m_db.impl().byHandle.end() ? AcDbObjectId() : AcDbObjectId(it->second);
  }

  // Reactors that tie a modelled image to its definition.
  void readReactors(int s) {
    const auto& records = m_doc.sections[s].records;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
      if (m_doc.type(records[i]) != "IMAGEDEF_REACTOR") continue;
      const AcDbObjectId image = idFromHandle(parseHandle(m_doc.text(records[i], 330).value_or("")));
      if (image.isNull() || !image.stub()->object || !AcDbRasterImage::cast(image.stub()->object.get())) continue;
      AcDbObjectId id;
      add(new AcDbRasterImageDefReactor, {s, i}, id)->setOwnerId(image);
    }
  }

  // Images refer to their definitions; one without stays as it is and is not drawn.
  void linkImages() {
    for (const PendingImage& p : m_images) {
      auto* image = static_cast<AcDbRasterImage*>(p.id.stub()->object.get());
      const AcDbObjectId def = idFromHandle(p.definition);
      const AcDbObjectId reactor = idFromHandle(p.reactor);
      image->openAs(AcDb::kForWrite);
      if (!def.isNull() && image->setImageDefId(def) == Acad::eOk) {
        if (!reactor.isNull() && reactor.stub()->object &&
            reactor.stub()->object->isKindOf(AcDbRasterImageDefReactor::desc()))
          image->setReactorId(reactor);
        image->close();
        continue;
      }
      image->close();
      auto* space = static_cast<AcDbBlockTableRecord*>(m_db.impl().modelSpace.stub()->object.get());
      auto& ids = space->entityIds();
      ids.erase(std::remove(ids.begin(), ids.end(), p.id), ids.end());
      p.id.stub()->object.reset();
      p.id.stub()->section = -1;
      ++m_kept["IMAGE without definition"];
    }
  }

  void readPageSetup(const dxf::Record& r) {
    PageSetup& setup = pageSetup(m_db);
    std::string name;
    for (std::uint32_t i = 1; i < r.count; ++i)
      if (m_doc.code(r, i) == 1) name = m_file.text(m_doc.value(r, i));  // the layout's name is the last group 1
    if (!name.empty()) setup.layoutName = name;
    if (const auto cfg = m_doc.text(r, 2)) setup.plotCfgName = cfg->empty() ? "None" : m_file.text(*cfg);
    if (const auto media = m_doc.text(r, 4)) setup.canonicalMediaName = m_file.text(*media);
    const long long type = m_doc.integer(r, 74, static_cast<int>(setup.plotType));
    if (type >= 0 && type <= 5) setup.plotType = static_cast<PlotType>(type);
    setup.windowMin = {m_doc.real(r, 48, 0.0), m_doc.real(r, 49, 0.0)};
    setup.windowMax = {m_doc.real(r, 140, 0.0), m_doc.real(r, 141, 0.0)};
    setup.centered = m_doc.integer(r, 70, 0) & 4;  // "plot centered"
    setup.plotOrigin = {m_doc.real(r, 46, 0.0), m_doc.real(r, 47, 0.0)};
  }

  void findModelLayout(int s) {
    const auto& records = m_doc.sections[s].records;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
      if (m_doc.type(records[i]) != "LAYOUT") continue;
      std::string name;
      for (std::uint32_t k = 1; k < records[i].count; ++k)
        if (m_doc.code(records[i], k) == 1) name = std::string(m_doc.value(records[i], k));
      if (upperKey(name) != "MODEL") continue;
      readPageSetup(records[i]);
      m_file.modelLayout = {s, i};
      return;
    }
  }

  // --- header ----------------------------------------------------------------------

  void readHeader() {
    const std::string current = m_file.text(header("$CLAYER"));
    auto it = m_layers.find(upperKey(current));
    if (!current.empty() && it != m_layers.end()) m_db.setClayer(it->second);
  }

  std::string notes() const {
    std::string text;
    for (const auto& [type, count] : m_kept) text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + type;
    if (!text.empty()) text = "kept as they are, not drawn by this editor: " + text;
    for (const std::string& note : m_notes) text += (text.empty() ? "" : "\n") + note;
    return text;
  }

  struct PendingImage {
    AcDbObjectId id;
    std::uint64_t definition, reactor;
  };

  DrawingFile& m_file;
  dxf::Document& m_doc;
  AcDbDatabase& m_db;
  bool m_converted;
  std::vector<Located> m_index;
  std::vector<AcDbObject*> m_open;
  std::unordered_map<std::string, AcDbObjectId> m_layers;
  std::vector<PendingImage> m_images;
  std::map<std::string, int> m_kept;
  std::vector<std::string> m_notes;
};

}  // namespace

FileResult loadDocument(std::shared_ptr<DrawingFile> file, AcDbDatabase& db) {
  const dxf::Document& doc = file->doc;
  auto headerValue = [&](std::string_view name) {
    const long i = doc.headerVariable(name);
    return i < 0 ? std::string() : std::string(doc.value(doc.section("HEADER")->head, i));
  };
  std::string version = headerValue("$ACADVER");
  while (!version.empty() && version.back() == ' ') version.pop_back();
  std::string note;
  if (needsConversion(doc)) {
    const bool old = version < "AC1015";
    note = old ? "the drawing (" + (version.empty() ? std::string("without a version") : version) +
                     ") was converted to release 2000 (AC1015) and will be saved so"
               : "the drawing (" + version + ") lacked tables or objects; they were added";
    file->encoding = dxf::encodingOf(version.empty() ? "AC1009" : version, headerValue("$DWGCODEPAGE"));
    convertToRelease2000(*file);
    if (old) version = "AC1015";
  } else {
    file->encoding = dxf::encodingOf(version, headerValue("$DWGCODEPAGE"));
  }
  file->version = version;
  FileResult result = Loader(*file, db, !note.empty()).run();
  if (!note.empty()) result.warning = result.warning.empty() ? note : note + "\n" + result.warning;
  db.impl().file = std::move(file);
  return result;
}

}  // namespace arx::file
