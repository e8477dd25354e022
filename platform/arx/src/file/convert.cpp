// Converting a release-12 drawing (or a file without the tables and objects
// of release 2000) into a release-2000 one, as the drawing editor does when
// it saves such a drawing: every table entry, block and entity gets a handle,
// its owner and its subclass markers; block records and the root dictionary
// with the layouts are added. Groups and values stay as they were.
#include <algorithm>
#include <map>
#include <set>

#include "db/database_impl.h"
#include "file/drawing_file.h"

namespace arx::file {
namespace {

std::string upper(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return upperKey(s);
}

const char* recordClass(const std::string& table) {
  static const std::map<std::string, const char*> classes = {
      {"LAYER", "AcDbLayerTableRecord"},  {"LTYPE", "AcDbLinetypeTableRecord"},
      {"STYLE", "AcDbTextStyleTableRecord"}, {"VIEW", "AcDbViewTableRecord"},
      {"UCS", "AcDbUCSTableRecord"},      {"VPORT", "AcDbViewportTableRecord"},
      {"APPID", "AcDbRegAppTableRecord"}, {"DIMSTYLE", "AcDbDimStyleTableRecord"},
      {"BLOCK_RECORD", "AcDbBlockTableRecord"}};
  auto it = classes.find(table);
  return it == classes.end() ? "AcDbSymbolTableRecord" : it->second;
}

// Subclasses of an entity and the groups that belong to the later ones.
struct Subclass {
  const char* name;
  std::set<int> codes;  // empty: every group not taken by another
};

std::vector<Subclass> subclassesOf(std::string_view type, long long flags) {
  if (type == "LINE") return {{"AcDbLine", {}}};
  if (type == "POINT") return {{"AcDbPoint", {}}};
  if (type == "CIRCLE") return {{"AcDbCircle", {}}};
  if (type == "ARC") return {{"AcDbCircle", {}}, {"AcDbArc", {50, 51}}};
  if (type == "TRACE" || type == "SOLID") return {{"AcDbTrace", {}}};
  if (type == "3DFACE") return {{"AcDbFace", {}}};
  if (type == "SHAPE") return {{"AcDbShape", {}}};
  if (type == "TEXT") return {{"AcDbText", {}}, {"AcDbText", {73}}};
  if (type == "ATTDEF") return {{"AcDbText", {}}, {"AcDbAttributeDefinition", {2, 3, 70, 73, 74}}};
  if (type == "ATTRIB") return {{"AcDbText", {}}, {"AcDbAttribute", {2, 70, 73, 74}}};
  if (type == "INSERT") return {{"AcDbBlockReference", {}}};
  if (type == "VIEWPORT") return {{"AcDbViewport", {}}};
  if (type == "POLYLINE")
    return {{flags & 8 ? "AcDb3dPolyline" : flags & 16 ? "AcDbPolygonMesh" : flags & 64 ? "AcDbPolyFaceMesh" : "AcDb2dPolyline", {}}};
  if (type == "VERTEX") {
    const char* kind = flags & 32    ? "AcDb3dPolylineVertex"
                       : flags & 64  ? (flags & 128 ? "AcDbPolyFaceMeshVertex" : "AcDbPolygonMeshVertex")
                       : flags & 128 ? "AcDbFaceRecord"
                                     : "AcDb2dVertex";
    if (std::string_view(kind) == "AcDbFaceRecord") return {{kind, {}}};
    return {{"AcDbVertex", {}}, {kind, {10, 20, 30, 40, 41, 42, 50, 70, 71, 72, 73, 74}}};
  }
  if (type == "DIMENSION") {
    switch (flags & 7) {
      case 0: return {{"AcDbDimension", {}}, {"AcDbAlignedDimension", {13, 23, 33, 14, 24, 34}}, {"AcDbRotatedDimension", {50, 52}}};
      case 1: return {{"AcDbDimension", {}}, {"AcDbAlignedDimension", {13, 23, 33, 14, 24, 34, 50}}};
      case 2: return {{"AcDbDimension", {}}, {"AcDb2LineAngularDimension", {13, 23, 33, 14, 24, 34, 15, 25, 35, 16, 26, 36}}};
      case 3: return {{"AcDbDimension", {}}, {"AcDbDiametricDimension", {15, 25, 35, 40}}};
      case 4: return {{"AcDbDimension", {}}, {"AcDbRadialDimension", {15, 25, 35, 40}}};
      case 5: return {{"AcDbDimension", {}}, {"AcDb3PointAngularDimension", {13, 23, 33, 14, 24, 34, 15, 25, 35}}};
      default: return {{"AcDbDimension", {}}, {"AcDbOrdinateDimension", {13, 23, 33, 14, 24, 34}}};
    }
  }
  return {};
}

bool isCommon(int code) {
  return code == 6 || code == 8 || code == 48 || code == 60 || code == 62 || code == 67 || code == 370 ||
         code == 420 || code == 440;
}

class Converter {
 public:
  explicit Converter(DrawingFile& file) : m_file(file), m_old(std::move(file.doc)) {}

  void run() {
    m_next = firstFreeHandle();
    SkeletonHandles h;
    m_new = emptyDrawing(h, m_next, PageSetup{}, View{});
    locateSkeleton();
    dxf::Document& out = m_new;
    std::vector<dxf::Section> sections;
    sections.push_back(header());
    sections.push_back(*m_new.section("CLASSES"));
    if (const dxf::Section* classes = m_old.section("CLASSES"))
      for (const dxf::Record& r : classes->records) sections.back().records.push_back(copy(r));
    sections.push_back(tables());
    sections.push_back(blocks());
    sections.push_back(entities());
    sections.push_back(*m_new.section("OBJECTS"));
    for (const dxf::Section& s : m_old.sections)  // sections of other programs stay
      if (!out.section(s.name) && s.name != "HEADER" && s.name != "CLASSES" && s.name != "TABLES" &&
          s.name != "BLOCKS" && s.name != "ENTITIES" && s.name != "OBJECTS") {
        dxf::Section kept{s.name, copy(s.head), {}};
        for (const dxf::Record& r : s.records) kept.records.push_back(copy(r));
        sections.push_back(std::move(kept));
      }
    out.sections = std::move(sections);
    out.format = m_old.format;
    m_file.doc = std::move(m_new);
  }

 private:
  std::uint64_t firstFreeHandle() {
    std::uint64_t highest = 0;
    for (const dxf::Section& s : m_old.sections)
      for (const dxf::Record& r : s.records)
        for (int code : {5, 105})
          if (auto v = m_old.text(r, code)) highest = std::max(highest, parseHandle(*v));
    return highest + 1;
  }

  void locateSkeleton() {
    for (const dxf::Section& s : m_new.sections)
      for (const dxf::Record& r : s.records) {
        const std::string_view type = m_new.type(r);
        const std::uint64_t handle = parseHandle(m_new.text(r, type == "DIMSTYLE" ? 105 : 5).value_or(""));
        if (type == "TABLE") m_tables[upper(m_new.text(r, 2).value_or(""))] = handle;
        if (type == "BLOCK_RECORD") m_blockRecords[upper(m_new.text(r, 2).value_or(""))] = handle;
      }
  }

  dxf::Record copy(const dxf::Record& r) { return m_new.add(m_old.tags(r), r.line); }

  dxf::Section header() {
    dxf::Section s = *m_new.section("HEADER");
    const dxf::Section* old = m_old.section("HEADER");
    if (!old) return s;
    dxf::TagList tags = m_old.tags(old->head);
    bool codePage = false;
    for (std::size_t i = 0; i + 1 < tags.size(); ++i) {
      if (tags[i].first != 9) continue;
      if (tags[i].second == "$ACADVER" && tags[i + 1].second < "AC1015") tags[i + 1].second = "AC1015";
      if (tags[i].second == "$DWGCODEPAGE") codePage = true;
    }
    if (m_old.headerVariable("$ACADVER") < 0) tags.insert(tags.begin() + 2, {{9, "$ACADVER"}, {1, "AC1015"}});
    if (!codePage) tags.insert(tags.end(), {{9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}});
    s.head = m_new.add(tags, old->head.line);
    return s;
  }

  // A record with its handle, owner and subclass markers.
  dxf::Record converted(const dxf::Record& r, std::uint64_t owner, const std::vector<const char*>& markers,
                        const std::vector<Subclass>& subclasses, std::uint64_t* handle = nullptr) {
    dxf::TagList tags = m_old.tags(r);
    const std::string type = tags[0].second;
    const int handleCode = type == "DIMSTYLE" ? 105 : 5;
    auto find = [&tags](int code) {
      return std::find_if(tags.begin() + 1, tags.end(), [code](const auto& t) { return t.first == code; });
    };
    auto handleGroup = find(handleCode);
    std::uint64_t h = handleGroup == tags.end() ? 0 : parseHandle(handleGroup->second);
    if (!h) h = m_next++;
    if (handle) *handle = h;
    if (find(100) != tags.end()) {  // already a release-2000 record: a handle and an owner where missing
      if (handleGroup == tags.end()) tags.insert(tags.begin() + 1, {handleCode, hexHandle(h)});
      if (find(330) == tags.end()) tags.insert(tags.begin() + 2, {330, hexHandle(owner)});
      return m_new.add(tags, r.line);
    }
    dxf::TagList common, specific, extended;
    for (std::size_t i = 1; i < tags.size(); ++i) {
      const auto& t = tags[i];
      if (t.first == handleCode) continue;
      if (t.first >= 1000) extended.push_back(t);
      else (isCommon(t.first) && !subclasses.empty() ? common : specific).push_back(t);
    }
    dxf::TagList out = {{0, type}, {handleCode, hexHandle(h)}, {330, hexHandle(owner)}};
    for (const char* m : markers) out.push_back({100, m});
    out.insert(out.end(), common.begin(), common.end());
    if (subclasses.empty()) {
      out.insert(out.end(), specific.begin(), specific.end());
    } else {
      std::vector<dxf::TagList> parts(subclasses.size());
      for (const auto& t : specific) {
        std::size_t part = 0;
        for (std::size_t k = 1; k < subclasses.size(); ++k)
          if (subclasses[k].codes.count(t.first)) part = k;
        parts[part].push_back(t);
      }
      for (std::size_t k = 0; k < subclasses.size(); ++k) {
        out.push_back({100, subclasses[k].name});
        out.insert(out.end(), parts[k].begin(), parts[k].end());
      }
    }
    out.insert(out.end(), extended.begin(), extended.end());
    return m_new.add(out, r.line);
  }

  // Entities in file order; VERTEX, ATTRIB and SEQEND records belong to the entity before them.
  void entitiesOf(const std::vector<dxf::Record>& in, std::size_t begin, std::size_t end, std::uint64_t space,
                  std::vector<dxf::Record>& out) {
    std::uint64_t parent = 0;
    for (std::size_t i = begin; i < end; ++i) {
      const std::string_view type = m_old.type(in[i]);
      const bool child = type == "VERTEX" || type == "ATTRIB" || type == "SEQEND";
      std::uint64_t handle = 0;
      out.push_back(converted(in[i], child && parent ? parent : space, {"AcDbEntity"},
                              subclassesOf(type, m_old.integer(in[i], 70, 0)), &handle));
      if (!child) parent = handle;
      if (type == "SEQEND") parent = 0;
    }
  }

  dxf::Section tables() {
    dxf::Section s = *m_new.section("TABLES");
    std::map<std::string, std::vector<const dxf::Record*>> entries;  // of the old file, by table
    std::vector<std::string> order;
    if (const dxf::Section* old = m_old.section("TABLES")) {
      std::string table;
      for (const dxf::Record& r : old->records) {
        const std::string_view type = m_old.type(r);
        if (type == "TABLE") {
          table = upper(m_old.text(r, 2).value_or(""));
          if (!entries.count(table)) order.push_back(table);
          entries[table];
        } else if (type != "ENDTAB" && !table.empty()) {
          entries[table].push_back(&r);
        }
      }
    }
    std::vector<dxf::Record> out;
    std::string table;
    std::set<std::string> names;
    for (const dxf::Record& r : s.records) {
      const std::string_view type = m_new.type(r);
      if (type == "TABLE") {
        table = upper(m_new.text(r, 2).value_or(""));
        out.push_back(r);
        names.clear();
        for (const dxf::Record* e : entries[table]) {
          names.insert(upper(m_old.text(*e, 2).value_or("")));
          out.push_back(converted(*e, m_tables[table], {"AcDbSymbolTableRecord", recordClass(table)}, {}));
        }
        if (table == "BLOCK_RECORD") blockRecords(out, names);
        continue;
      }
      if (type == "ENDTAB" || !names.count(upper(m_new.text(r, 2).value_or("")))) out.push_back(r);
    }
    s.records = std::move(out);
    return s;
  }

  // Block records for the blocks of a file that had none.
  void blockRecords(std::vector<dxf::Record>& out, const std::set<std::string>& present) {
    const dxf::Section* blocks = m_old.section("BLOCKS");
    if (!blocks) return;
    for (const dxf::Record& r : blocks->records) {
      if (m_old.type(r) != "BLOCK") continue;
      const std::string raw(m_old.text(r, 2).value_or(""));
      const std::string name = upper(raw);
      if (name.empty() || present.count(name) || m_blockRecords.count(name) || name == "$MODEL_SPACE" ||
          name == "$PAPER_SPACE")
        continue;
      const std::uint64_t h = m_next++;
      m_blockRecords[name] = h;
      out.push_back(m_new.add({{0, "BLOCK_RECORD"}, {5, hexHandle(h)}, {330, hexHandle(m_tables["BLOCK_RECORD"])},
                               {100, "AcDbSymbolTableRecord"}, {100, "AcDbBlockTableRecord"}, {2, raw}, {70, "0"}}));
    }
  }

  dxf::Section blocks() {
    dxf::Section s = *m_new.section("BLOCKS");
    const dxf::Section* old = m_old.section("BLOCKS");
    if (!old) return s;
    const auto& in = old->records;
    for (std::size_t i = 0; i < in.size(); ++i) {
      if (m_old.type(in[i]) != "BLOCK") continue;
      std::size_t end = i + 1;
      while (end < in.size() && m_old.type(in[end]) != "ENDBLK" && m_old.type(in[end]) != "BLOCK") ++end;
      const std::string name = upper(m_old.text(in[i], 2).value_or(""));
      auto record = m_blockRecords.find(name);
      const bool space = name == "*MODEL_SPACE" || name == "*PAPER_SPACE" || name == "$MODEL_SPACE" || name == "$PAPER_SPACE";
      if (record != m_blockRecords.end() && !space) {
        s.records.push_back(converted(in[i], record->second, {"AcDbEntity"}, {{"AcDbBlockBegin", {}}}));
        entitiesOf(in, i + 1, end, record->second, s.records);
        if (end < in.size() && m_old.type(in[end]) == "ENDBLK")
          s.records.push_back(converted(in[end], record->second, {"AcDbEntity"}, {{"AcDbBlockEnd", {}}}));
      }
      i = end < in.size() && m_old.type(in[end]) == "ENDBLK" ? end : end - 1;
    }
    return s;
  }

  dxf::Section entities() {
    dxf::Section s = *m_new.section("ENTITIES");
    const dxf::Section* old = m_old.section("ENTITIES");
    if (!old) return s;
    const std::uint64_t model = m_blockRecords["*MODEL_SPACE"], paper = m_blockRecords["*PAPER_SPACE"];
    std::size_t begin = 0;
    const auto& in = old->records;
    if (in.empty()) return s;
    // Runs of model-space and paper-space entities, each entity with its children.
    for (std::size_t i = 0; i <= in.size(); ++i) {
      if (i < in.size() && (i == begin || m_old.integer(in[i], 67, 0) == m_old.integer(in[begin], 67, 0))) continue;
      entitiesOf(in, begin, i, m_old.integer(in[begin], 67, 0) == 1 ? paper : model, s.records);
      begin = i;
    }
    return s;
  }

  DrawingFile& m_file;
  dxf::Document m_old;
  dxf::Document m_new;
  std::uint64_t m_next = 1;
  std::map<std::string, std::uint64_t> m_tables, m_blockRecords;
};

bool hasRecord(const dxf::Document& doc, const dxf::Section* s, std::string_view type, std::string_view name) {
  if (!s) return false;
  for (const dxf::Record& r : s->records)
    if (doc.type(r) == type && upper(doc.text(r, 2).value_or("")) == name) return true;
  return false;
}

}  // namespace

bool needsConversion(const dxf::Document& doc) {
  const long version = doc.headerVariable("$ACADVER");
  if (version < 0 || doc.value(doc.section("HEADER")->head, static_cast<std::uint32_t>(version)) < "AC1012") return true;
  const dxf::Section* tables = doc.section("TABLES");
  const dxf::Section* objects = doc.section("OBJECTS");
  return !doc.section("BLOCKS") || !doc.section("ENTITIES") || !objects || objects->records.empty() ||
         doc.type(objects->records[0]) != "DICTIONARY" || !hasRecord(doc, tables, "TABLE", "LAYER") ||
         !hasRecord(doc, tables, "BLOCK_RECORD", "*MODEL_SPACE");
}

void convertToRelease2000(DrawingFile& file) { Converter(file).run(); }

}  // namespace arx::file
