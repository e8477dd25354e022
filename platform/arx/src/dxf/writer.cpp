// Writing a drawing as an AutoCAD 2000 DXF file through dxflib's writer
// interface: tables, model and paper space, the entities in draw order, the
// image dictionary with definitions and reactors, raster variables and the
// layouts with the model layout's page setup.
#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer.h>

#include <charconv>
#include <cmath>
#include <cstdio>

#include "db/database_impl.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "dxf/io.h"
#include "imgdef.h"
#include "imgent.h"
#include "imgvars.h"

namespace arx::dxf {
namespace {

constexpr double kDegree = 180.0 / 3.14159265358979323846;

// Collects the group lines in memory.
class TextWriter : public DL_Writer {
 public:
  TextWriter() : DL_Writer(DL_VERSION_2000) {}
  void dxfReal(int gc, double value) const override {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    put(gc, std::string(buffer, result.ptr));
  }
  void dxfInt(int gc, int value) const override { put(gc, std::to_string(value)); }
  void dxfHex(int gc, int value) const override { hex(gc, static_cast<std::uint64_t>(value)); }
  void dxfString(int gc, const char* value) const override { put(gc, value ? value : ""); }
  void dxfString(int gc, const std::string& value) const override { put(gc, value); }

  void hex(int gc, std::uint64_t value) const {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    put(gc, buffer);
  }
  void hex(int gc, AcDbObjectId id) const { hex(gc, id.handle().value()); }
  void point(int gc, Point p) const {
    dxfReal(gc, p.x);
    dxfReal(gc + 10, p.y);
    dxfReal(gc + 20, 0.0);
  }
  // The reactors block of an object owned by `owner` with further reactors.
  void reactors(const std::vector<std::uint64_t>& handles) const {
    dxfString(102, "{ACAD_REACTORS");
    for (std::uint64_t h : handles) hex(330, h);
    dxfString(102, "}");
  }
  std::string& text() { return m_text; }

 private:
  // A value never spans lines.
  void put(int gc, std::string value) const {
    for (char& c : value)
      if (c == '\n' || c == '\r') c = ' ';
    char code[16];
    std::snprintf(code, sizeof code, "%3d\n", gc);
    m_text += code;
    m_text += value;
    m_text += '\n';
  }
  mutable std::string m_text;
};

// Handles of the records the database does not keep as objects.
struct ExtraHandles {
  std::uint64_t vportTable, vportActive, ltypeTable, ltByBlock, ltByLayer, ltContinuous, styleTable, styleStandard,
      viewTable, ucsTable, appidTable, appidAcad, dimstyleTable, dimstyleStandard, blockModel, endModel, blockPaper,
      endPaper, groupDict, layoutDict, layoutModel, layoutPaper, next;
  explicit ExtraHandles(std::uint64_t first) {
    std::uint64_t* fields[] = {&vportTable, &vportActive, &ltypeTable, &ltByBlock, &ltByLayer, &ltContinuous,
                               &styleTable, &styleStandard, &viewTable, &ucsTable, &appidTable, &appidAcad,
                               &dimstyleTable, &dimstyleStandard, &blockModel, &endModel, &blockPaper, &endPaper,
                               &groupDict, &layoutDict, &layoutModel, &layoutPaper};
    for (std::uint64_t* f : fields) *f = first++;
    next = first;
  }
};

template <typename T>
const T* objectOf(AcDbObjectId id) {
  const AcDbStub* stub = id.stub();
  return stub && stub->object && !stub->erased ? T::cast(stub->object.get()) : nullptr;
}

class DrawingWriter {
 public:
  DrawingWriter(const AcDbDatabase& db, TextWriter& w)
      : m_db(db), m_w(w), m_h(db.impl().nextHandle) {}

  void write() {
    header();
    classes();
    tables();
    blocks();
    entities();
    objects();
    m_w.dxfString(0, "EOF");
  }

 private:
  const AcDbBlockTableRecord& modelSpace() const { return *objectOf<AcDbBlockTableRecord>(m_db.modelSpaceId()); }
  AcDbObjectId paperSpaceId() const { return m_db.impl().paperSpace; }

  void header() {
    section("HEADER");
    variable("$ACADVER", 1, "AC1015");
    variable("$DWGCODEPAGE", 3, "ANSI_1252");
    const auto* clayer = objectOf<AcDbLayerTableRecord>(m_db.clayer());
    variable("$CLAYER", 8, clayer ? clayer->name() : "0");
    m_w.dxfString(9, "$HANDSEED");
    m_w.hex(5, m_h.next);
    endSection();
  }

  void classes() {
    section("CLASSES");
    rxClass("IMAGEDEF", "AcDbRasterImageDef", 0, false);
    rxClass("IMAGEDEF_REACTOR", "AcDbRasterImageDefReactor", 1, false);
    rxClass("RASTERVARIABLES", "AcDbRasterVariables", 0, false);
    rxClass("IMAGE", "AcDbRasterImage", 127, true);
    endSection();
  }

  void tables() {
    section("TABLES");
    vportTable();
    ltypeTable();
    layerTable();
    simpleTable("STYLE", m_h.styleTable, 1);
    tableRecord("STYLE", m_h.styleStandard, m_h.styleTable, "AcDbTextStyleTableRecord", "Standard");
    for (auto [code, value] : {std::pair{40, 0.0}, {41, 1.0}, {50, 0.0}, {42, 2.5}}) m_w.dxfReal(code, value);
    m_w.dxfInt(71, 0);
    m_w.dxfString(3, "txt");
    m_w.dxfString(4, "");
    endTable();
    simpleTable("VIEW", m_h.viewTable, 0);
    endTable();
    simpleTable("UCS", m_h.ucsTable, 0);
    endTable();
    simpleTable("APPID", m_h.appidTable, 1);
    tableRecord("APPID", m_h.appidAcad, m_h.appidTable, "AcDbRegAppTableRecord", "ACAD");
    endTable();
    dimstyleTable();
    blockRecordTable();
    endSection();
  }

  void vportTable() {
    const View& v = view(m_db);
    simpleTable("VPORT", m_h.vportTable, 1);
    tableRecord("VPORT", m_h.vportActive, m_h.vportTable, "AcDbViewportTableRecord", "*Active");
    m_w.dxfReal(10, 0.0), m_w.dxfReal(20, 0.0), m_w.dxfReal(11, 1.0), m_w.dxfReal(21, 1.0);
    m_w.dxfReal(12, v.center.x), m_w.dxfReal(22, v.center.y);
    m_w.dxfReal(13, 0.0), m_w.dxfReal(23, 0.0), m_w.dxfReal(14, 0.5), m_w.dxfReal(24, 0.5);
    m_w.dxfReal(15, 0.5), m_w.dxfReal(25, 0.5);
    m_w.dxfReal(16, 0.0), m_w.dxfReal(26, 0.0), m_w.dxfReal(36, 1.0);
    m_w.dxfReal(17, 0.0), m_w.dxfReal(27, 0.0), m_w.dxfReal(37, 0.0);
    m_w.dxfReal(40, v.height), m_w.dxfReal(41, v.aspect), m_w.dxfReal(42, 50.0);
    m_w.dxfReal(43, 0.0), m_w.dxfReal(44, 0.0), m_w.dxfReal(50, 0.0), m_w.dxfReal(51, v.twist * kDegree);
    for (auto [code, value] : {std::pair{71, 0}, {72, 1000}, {73, 1}, {74, 3}, {75, 0}, {76, 0}, {77, 0}, {78, 0}})
      m_w.dxfInt(code, value);
    endTable();
  }

  void ltypeTable() {
    simpleTable("LTYPE", m_h.ltypeTable, 3);
    const std::pair<std::uint64_t, const char*> types[] = {
        {m_h.ltByBlock, "ByBlock"}, {m_h.ltByLayer, "ByLayer"}, {m_h.ltContinuous, "Continuous"}};
    for (auto [handle, name] : types) {
      tableRecord("LTYPE", handle, m_h.ltypeTable, "AcDbLinetypeTableRecord", name);
      m_w.dxfString(3, handle == m_h.ltContinuous ? "Solid line" : "");
      m_w.dxfInt(72, 65), m_w.dxfInt(73, 0), m_w.dxfReal(40, 0.0);
    }
    endTable();
  }

  void layerTable() {
    const auto& table = *objectOf<AcDbLayerTable>(m_db.layerTableId());
    std::vector<AcDbObjectId> layers;
    for (AcDbObjectId id : table.recordIds())
      if (objectOf<AcDbLayerTableRecord>(id)) layers.push_back(id);
    simpleTable("LAYER", m_db.layerTableId().handle().value(), static_cast<int>(layers.size()));
    for (AcDbObjectId id : layers) {
      const Layer& layer = objectOf<AcDbLayerTableRecord>(id)->data();
      tableRecord("LAYER", id.handle().value(), m_db.layerTableId().handle().value(), "AcDbLayerTableRecord",
                  layer.name, layer.frozen ? 1 : 0);
      m_w.dxfInt(62, layer.on ? layer.color : -layer.color);
      m_w.dxfString(6, "Continuous");
      m_w.dxfInt(290, layer.plottable ? 1 : 0);
      m_w.dxfInt(370, -3);
    }
    endTable();
  }

  void dimstyleTable() {
    simpleTable("DIMSTYLE", m_h.dimstyleTable, 1);
    m_w.dxfString(100, "AcDbDimStyleTable");
    m_w.dxfInt(71, 0);
    m_w.dxfString(0, "DIMSTYLE");
    m_w.hex(105, m_h.dimstyleStandard);
    m_w.hex(330, m_h.dimstyleTable);
    m_w.dxfString(100, "AcDbSymbolTableRecord");
    m_w.dxfString(100, "AcDbDimStyleTableRecord");
    m_w.dxfString(2, "Standard");
    m_w.dxfInt(70, 0);
    endTable();
  }

  void blockRecordTable() {
    const std::uint64_t table = m_db.blockTableId().handle().value();
    simpleTable("BLOCK_RECORD", table, 2);
    tableRecord("BLOCK_RECORD", m_db.modelSpaceId().handle().value(), table, "AcDbBlockTableRecord", ACDB_MODEL_SPACE);
    m_w.hex(340, m_h.layoutModel);
    tableRecord("BLOCK_RECORD", paperSpaceId().handle().value(), table, "AcDbBlockTableRecord", ACDB_PAPER_SPACE);
    m_w.hex(340, m_h.layoutPaper);
    endTable();
  }

  void blocks() {
    section("BLOCKS");
    block(m_h.blockModel, m_h.endModel, m_db.modelSpaceId(), ACDB_MODEL_SPACE, false);
    block(m_h.blockPaper, m_h.endPaper, paperSpaceId(), ACDB_PAPER_SPACE, true);
    endSection();
  }

  void block(std::uint64_t begin, std::uint64_t end, AcDbObjectId record, const char* name, bool paper) {
    m_w.dxfString(0, "BLOCK");
    m_w.hex(5, begin);
    m_w.hex(330, record);
    m_w.dxfString(100, "AcDbEntity");
    if (paper) m_w.dxfInt(67, 1);
    m_w.dxfString(8, "0");
    m_w.dxfString(100, "AcDbBlockBegin");
    m_w.dxfString(2, name);
    m_w.dxfInt(70, 0);
    m_w.point(10, {0.0, 0.0});
    m_w.dxfString(3, name);
    m_w.dxfString(1, "");
    m_w.dxfString(0, "ENDBLK");
    m_w.hex(5, end);
    m_w.hex(330, record);
    m_w.dxfString(100, "AcDbEntity");
    if (paper) m_w.dxfInt(67, 1);
    m_w.dxfString(8, "0");
    m_w.dxfString(100, "AcDbBlockEnd");
  }

  void entities() {
    section("ENTITIES");
    for (AcDbObjectId id : modelSpace().entityIds())
      if (const auto* entity = objectOf<AcDbEntity>(id)) this->entity(id, *entity);
    endSection();
  }

  void entity(AcDbObjectId id, const AcDbEntity& e) {
    const auto* layer = objectOf<AcDbLayerTableRecord>(e.layerId());
    auto start = [&](const char* type, const char* subclass) {
      m_w.dxfString(0, type);
      m_w.hex(5, id);
      m_w.hex(330, m_db.modelSpaceId());
      m_w.dxfString(100, "AcDbEntity");
      m_w.dxfString(8, layer ? layer->name() : "0");
      if (!e.color().isByLayer()) m_w.dxfInt(62, e.colorIndex());
      m_w.dxfString(100, subclass);
    };
    struct Visitor {
      DrawingWriter& self;
      decltype(start)& begin;
      AcDbObjectId id;
      const AcDbEntity& e;
      TextWriter& w;
      void operator()(const LineShape& l) {
        begin("LINE", "AcDbLine");
        w.point(10, l.start), w.point(11, l.end);
      }
      void operator()(const PolylineShape& p) {
        begin("LWPOLYLINE", "AcDbPolyline");
        w.dxfInt(90, static_cast<int>(p.vertices.size()));
        w.dxfInt(70, p.closed ? 1 : 0);
        w.dxfReal(43, 0.0);
        for (const auto& v : p.vertices) {
          w.dxfReal(10, v.point.x), w.dxfReal(20, v.point.y);
          if (v.bulge != 0.0) w.dxfReal(42, v.bulge);
        }
      }
      void operator()(const CircleShape& c) {
        begin("CIRCLE", "AcDbCircle");
        w.point(10, c.center), w.dxfReal(40, c.radius);
      }
      void operator()(const ArcShape& a) {
        begin("ARC", "AcDbCircle");
        w.point(10, a.center), w.dxfReal(40, a.radius);
        w.dxfString(100, "AcDbArc");
        w.dxfReal(50, a.startAngle * kDegree), w.dxfReal(51, a.endAngle * kDegree);
      }
      void operator()(const TextShape& t) {
        begin("TEXT", "AcDbText");
        w.point(10, t.position), w.dxfReal(40, t.height);
        w.dxfString(1, t.text);
        if (t.rotation != 0.0) w.dxfReal(50, t.rotation * kDegree);
        w.dxfString(100, "AcDbText");
      }
      void operator()(const ImageShape&) { self.image(id, static_cast<const AcDbRasterImage&>(e), begin); }
    };
    std::visit(Visitor{*this, start, id, e, m_w}, e.shape());
  }

  template <typename Start>
  void image(AcDbObjectId id, const AcDbRasterImage& image, Start& start) {
    const auto* def = objectOf<AcDbRasterImageDef>(image.imageDefId());
    if (!def) return;  // an image without its definition cannot be stored
    AcGePoint3d origin;
    AcGeVector3d u, v;
    image.getOrientation(origin, u, v);
    const AcGeVector2d size = image.imageSize();
    const double w = size.x > 0.0 ? size.x : 1.0, h = size.y > 0.0 ? size.y : 1.0;
    start("IMAGE", "AcDbRasterImage");
    m_w.dxfInt(90, 0);
    m_w.point(10, {origin.x, origin.y});
    m_w.point(11, {u.x / w, u.y / w});
    m_w.point(12, {v.x / h, v.y / h});
    m_w.dxfReal(13, w), m_w.dxfReal(23, h);
    m_w.hex(340, image.imageDefId());
    m_w.dxfInt(70, image.displayOptions());
    m_w.dxfInt(280, 0), m_w.dxfInt(281, 50), m_w.dxfInt(282, 50), m_w.dxfInt(283, 0);
    if (objectOf<AcDbRasterImageDefReactor>(image.reactorId())) m_w.hex(360, image.reactorId());
    m_w.dxfInt(71, 1), m_w.dxfInt(91, 2);
    m_w.dxfReal(14, -0.5), m_w.dxfReal(24, -0.5);
    m_w.dxfReal(14, w - 0.5), m_w.dxfReal(24, h - 0.5);
    m_images.push_back(id);
  }

  void objects() {
    section("OBJECTS");
    const AcDbObjectId nodId = m_db.namedObjectsDictionaryId();
    const auto& nod = *objectOf<AcDbDictionary>(nodId);
    std::vector<std::pair<std::string, std::uint64_t>> rootEntries = {{"ACAD_GROUP", m_h.groupDict},
                                                                      {"ACAD_LAYOUT", m_h.layoutDict}};
    for (const auto& [key, entry] : nod.entries())
      if (writable(entry.id) && key != "ACAD_GROUP" && key != "ACAD_LAYOUT")
        rootEntries.push_back({entry.name, entry.id.handle().value()});
    dictionary(nodId.handle().value(), 0, rootEntries);
    dictionary(m_h.groupDict, nodId.handle().value(), {});
    dictionary(m_h.layoutDict, nodId.handle().value(), {{"Layout1", m_h.layoutPaper}, {"Model", m_h.layoutModel}});
    for (const auto& [key, entry] : nod.entries())
      if (writable(entry.id) && key != "ACAD_GROUP" && key != "ACAD_LAYOUT") object(entry.id, nodId);
    layout(m_h.layoutModel, "Model", 0, m_db.modelSpaceId(), pageSetup(m_db));
    PageSetup paper;
    paper.layoutName = "Layout1";
    paper.plotType = PlotType::Layout;
    layout(m_h.layoutPaper, "Layout1", 1, paperSpaceId(), paper);
    for (AcDbObjectId image : m_images) imageReactor(image);
    endSection();
  }

  static bool writable(AcDbObjectId id) {
    return objectOf<AcDbDictionary>(id) || objectOf<AcDbRasterImageDef>(id) || objectOf<AcDbRasterVariables>(id);
  }

  void object(AcDbObjectId id, AcDbObjectId owner) {
    if (const auto* dict = objectOf<AcDbDictionary>(id)) {
      std::vector<std::pair<std::string, std::uint64_t>> entries;
      for (const auto& [key, entry] : dict->entries())
        if (writable(entry.id)) entries.push_back({entry.name, entry.id.handle().value()});
      dictionary(id.handle().value(), owner.handle().value(), entries);
      for (const auto& [key, entry] : dict->entries())
        if (writable(entry.id)) object(entry.id, id);
    } else if (const auto* def = objectOf<AcDbRasterImageDef>(id)) {
      imageDefinition(id, owner, *def);
    } else if (const auto* vars = objectOf<AcDbRasterVariables>(id)) {
      m_w.dxfString(0, "RASTERVARIABLES");
      m_w.hex(5, id);
      m_w.reactors({owner.handle().value()});
      m_w.hex(330, owner);
      m_w.dxfString(100, "AcDbRasterVariables");
      m_w.dxfInt(90, 0);
      m_w.dxfInt(70, vars->imageFrame() == AcDbRasterVariables::kImageFrameOff ? 0 : 1);
      m_w.dxfInt(71, vars->imageQuality() == AcDbRasterVariables::kImageQualityDraft ? 0 : 1);
      m_w.dxfInt(72, 0);
    }
  }

  void imageDefinition(AcDbObjectId id, AcDbObjectId owner, const AcDbRasterImageDef& def) {
    std::vector<std::uint64_t> reactors = {owner.handle().value()};
    for (AcDbObjectId r : def.persistentReactors())
      if (objectOf<AcDbRasterImageDefReactor>(r)) reactors.push_back(r.handle().value());
    m_w.dxfString(0, "IMAGEDEF");
    m_w.hex(5, id);
    m_w.reactors(reactors);
    m_w.hex(330, owner);
    m_w.dxfString(100, "AcDbRasterImageDef");
    m_w.dxfInt(90, 0);
    m_w.dxfString(1, def.sourceFileName());
    m_w.dxfReal(10, def.width() > 0 ? def.width() : 1.0);
    m_w.dxfReal(20, def.height() > 0 ? def.height() : 1.0);
    m_w.dxfReal(11, 1.0), m_w.dxfReal(21, 1.0);
    m_w.dxfInt(280, def.isLoaded() ? 1 : 0);
    m_w.dxfInt(281, 0);
  }

  void imageReactor(AcDbObjectId image) {
    const AcDbObjectId reactor = objectOf<AcDbRasterImage>(image)->reactorId();
    if (!objectOf<AcDbRasterImageDefReactor>(reactor)) return;
    m_w.dxfString(0, "IMAGEDEF_REACTOR");
    m_w.hex(5, reactor);
    m_w.hex(330, image);
    m_w.dxfString(100, "AcDbRasterImageDefReactor");
    m_w.dxfInt(90, 2);
    m_w.hex(330, image);
  }

  void dictionary(std::uint64_t handle, std::uint64_t owner,
                  const std::vector<std::pair<std::string, std::uint64_t>>& entries) {
    m_w.dxfString(0, "DICTIONARY");
    m_w.hex(5, handle);
    if (owner) m_w.reactors({owner});
    m_w.hex(330, owner);
    m_w.dxfString(100, "AcDbDictionary");
    m_w.dxfInt(281, 1);
    for (const auto& [name, h] : entries) {
      m_w.dxfString(3, name);
      m_w.hex(350, h);
    }
  }

  void layout(std::uint64_t handle, const char* name, int tab, AcDbObjectId space, const PageSetup& setup) {
    m_w.dxfString(0, "LAYOUT");
    m_w.hex(5, handle);
    m_w.reactors({m_h.layoutDict});
    m_w.hex(330, m_h.layoutDict);
    m_w.dxfString(100, "AcDbPlotSettings");
    m_w.dxfString(1, "");
    m_w.dxfString(2, setup.plotCfgName);
    m_w.dxfString(4, setup.canonicalMediaName);
    m_w.dxfString(6, "");
    for (int code = 40; code <= 47; ++code) m_w.dxfReal(code, 0.0);
    m_w.dxfReal(48, setup.windowMin.x), m_w.dxfReal(49, setup.windowMin.y);
    m_w.dxfReal(140, setup.windowMax.x), m_w.dxfReal(141, setup.windowMax.y);
    m_w.dxfReal(142, 1.0), m_w.dxfReal(143, 1.0);
    m_w.dxfInt(70, 688);
    m_w.dxfInt(72, 0), m_w.dxfInt(73, 0);
    m_w.dxfInt(74, static_cast<int>(setup.plotType));
    m_w.dxfString(7, "");
    m_w.dxfInt(75, 0);
    m_w.dxfReal(147, 1.0), m_w.dxfReal(148, 0.0), m_w.dxfReal(149, 0.0);
    m_w.dxfString(100, "AcDbLayout");
    m_w.dxfString(1, name);
    m_w.dxfInt(70, 1), m_w.dxfInt(71, tab);
    m_w.dxfReal(10, 0.0), m_w.dxfReal(20, 0.0), m_w.dxfReal(11, 420.0), m_w.dxfReal(21, 297.0);
    m_w.point(12, {0.0, 0.0}), m_w.point(14, {0.0, 0.0}), m_w.point(15, {0.0, 0.0});
    m_w.dxfReal(146, 0.0);
    m_w.point(13, {0.0, 0.0}), m_w.point(16, {1.0, 0.0}), m_w.point(17, {0.0, 1.0});
    m_w.dxfInt(76, 0);
    m_w.hex(330, space);
  }

  // --- small pieces -----------------------------------------------------------------

  void section(const char* name) {
    m_w.dxfString(0, "SECTION");
    m_w.dxfString(2, name);
  }
  void endSection() { m_w.dxfString(0, "ENDSEC"); }
  void variable(const char* name, int code, const std::string& value) {
    m_w.dxfString(9, name);
    m_w.dxfString(code, value);
  }
  void rxClass(const char* dxfName, const char* cppName, int proxyFlags, bool entity) {
    m_w.dxfString(0, "CLASS");
    m_w.dxfString(1, dxfName);
    m_w.dxfString(2, cppName);
    m_w.dxfString(3, "ISM");
    m_w.dxfInt(90, proxyFlags);
    m_w.dxfInt(280, 0);
    m_w.dxfInt(281, entity ? 1 : 0);
  }
  void simpleTable(const char* name, std::uint64_t handle, int count) {
    m_w.dxfString(0, "TABLE");
    m_w.dxfString(2, name);
    m_w.hex(5, handle);
    m_w.hex(330, std::uint64_t{0});
    m_w.dxfString(100, "AcDbSymbolTable");
    m_w.dxfInt(70, count);
  }
  void tableRecord(const char* type, std::uint64_t handle, std::uint64_t table, const char* subclass,
                   const std::string& name, int flags = 0) {
    m_w.dxfString(0, type);
    m_w.hex(5, handle);
    m_w.hex(330, table);
    m_w.dxfString(100, "AcDbSymbolTableRecord");
    m_w.dxfString(100, subclass);
    m_w.dxfString(2, name);
    m_w.dxfInt(70, flags);
  }
  void endTable() { m_w.dxfString(0, "ENDTAB"); }

  const AcDbDatabase& m_db;
  TextWriter& m_w;
  ExtraHandles m_h;
  std::vector<AcDbObjectId> m_images;
};

}  // namespace

FileResult writeText(const AcDbDatabase& db, std::string& text) {
  if (db.modelSpaceId().isNull() || db.layerTableId().isNull() || db.namedObjectsDictionaryId().isNull())
    return FileResult(false, "the drawing has no tables to save");
  TextWriter writer;
  DrawingWriter(db, writer).write();
  text = std::move(writer.text());
  FileResult result;
  result.ok = true;
  return result;
}

}  // namespace arx::dxf
