// Reading a DXF drawing: dxflib delivers the layers and entities; the
// objects dxflib does not read (layouts, the image dictionary, raster
// variables, the active viewport) come from the checked group records.
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "db/database_impl.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "dxf/groups.h"
#include "dxf/io.h"
#include "imgdef.h"
#include "imgent.h"
#include "imgvars.h"
#include "win32/posix.h"

namespace arx::dxf {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

std::string upperHex(const std::string& hex) { return upperKey(hex); }

// Receives layers and entities from dxflib.
class Reader : public DL_CreationAdapter {
 public:
  // Files of release 2007 on (AC1021+) hold UTF-8 text; the drawing keeps code page 1252.
  Reader(AcDbDatabase& db, DL_Dxf& dxf, bool utf8) : m_db(db), m_dxf(dxf), m_utf8(utf8) {}
  std::string text(const std::string& s) const { return m_utf8 ? win32::Utf8ToCp1252(s) : s; }

  void addLayer(const DL_LayerData& data) override {
    const int color = getAttributes().getColor();
    Layer layer{text(data.name), std::abs(color) >= 1 && std::abs(color) <= 255 ? std::abs(color) : 7,
                m_dxf.getIntValue(290, 1) != 0, color >= 0, (data.flags & 1) != 0};
    if (layer.name.empty()) return;
    const AcDbObjectId id = arx::addLayer(m_db, layer);
    AcDbLayerTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForWrite) != Acad::eOk) return;
    AcCmColor c;  // layer "0" already exists: take the file's settings
    c.setColorIndex(static_cast<Adesk::UInt16>(layer.color));
    record->setColor(c);
    record->setIsPlottable(layer.plottable);
    record->setIsOff(!layer.on);
    record->setIsFrozen(layer.frozen);
    record->close();
  }

  void addBlock(const DL_BlockData&) override { m_inBlock = true; }
  void endBlock() override { m_inBlock = false; }

  void addLine(const DL_LineData& d) override { add(LineShape{{d.x1, d.y1}, {d.x2, d.y2}}); }
  void addCircle(const DL_CircleData& d) override { add(CircleShape{{d.cx, d.cy}, d.radius}); }
  void addArc(const DL_ArcData& d) override {
    add(ArcShape{{d.cx, d.cy}, d.radius, d.angle1 * kDegree, d.angle2 * kDegree});
  }
  // dxflib gives arc angles in degrees but the text's rotation in radians.
  void addText(const DL_TextData& d) override {
    add(TextShape{{d.ipx, d.ipy}, d.height > 0.0 ? d.height : 2.5, d.angle, text(d.text)});
  }

  void addPolyline(const DL_PolylineData& d) override {
    finishPolyline();
    m_polyline = PolylineShape{{}, (d.flags & 1) != 0};
    m_polylineAttributes = getAttributes();
    m_inPolyline = true;
  }
  void addVertex(const DL_VertexData& d) override {
    if (m_inPolyline) m_polyline.vertices.push_back({{d.x, d.y}, d.bulge});
  }
  void endSequence() override { finishPolyline(); }
  void endEntity() override { finishPolyline(); }

  void addImage(const DL_ImageData& d) override {
    finishPolyline();
    if (!inModelSpace()) return skip("IMAGE");
    auto* image = new AcDbRasterImage;
    image->setPixelVectors({d.ipx, d.ipy, 0.0}, {d.ux, d.uy, 0.0}, {d.vx, d.vy, 0.0});
    const AcDbObjectId id = appendEntity(m_db, image, text(getAttributes().getLayer()), fileHandle());
    if (!id.isNull()) m_images.push_back({id, upperHex(d.ref), d.width, d.height});
  }
  void linkImage(const DL_ImageDefData& d) override { m_defFiles[upperHex(d.ref)] = text(d.file); }

  // Entities of kinds this editor does not draw.
  void addPoint(const DL_PointData&) override { skip("POINT"); }
  void addXLine(const DL_XLineData&) override { skip("XLINE"); }
  void addRay(const DL_RayData&) override { skip("RAY"); }
  void addEllipse(const DL_EllipseData&) override { skip("ELLIPSE"); }
  void addSpline(const DL_SplineData&) override { skip("SPLINE"); }
  void addInsert(const DL_InsertData&) override { skip("INSERT"); }
  void addTrace(const DL_TraceData&) override { skip("TRACE"); }
  void add3dFace(const DL_3dFaceData&) override { skip("3DFACE"); }
  void addSolid(const DL_SolidData&) override { skip("SOLID"); }
  void addMText(const DL_MTextData&) override { skip("MTEXT"); }
  void addHatch(const DL_HatchData&) override { skip("HATCH"); }
  void addLeader(const DL_LeaderData&) override { skip("LEADER"); }
  void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { skip("DIMENSION"); }
  void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { skip("DIMENSION"); }

  struct PendingImage {
    AcDbObjectId id;
    std::string defHandle;
    int width, height;
  };
  const std::vector<PendingImage>& images() const { return m_images; }
  const std::map<std::string, std::string>& defFiles() const { return m_defFiles; }
  std::map<std::string, int>& skipped() { return m_skipped; }

 private:
  bool inModelSpace() { return !m_inBlock && !getAttributes().isInPaperSpace(); }
  std::uint64_t fileHandle() {
    const int h = getAttributes().getHandle();
    return h > 0 ? static_cast<std::uint64_t>(h) : 0;
  }
  void skip(const std::string& type) { ++m_skipped[type]; }

  void add(const Shape& shape) {
    finishPolyline();
    if (!inModelSpace()) return skip("entity outside model space");
    appendShape(m_db, shape, text(getAttributes().getLayer()), fileHandle());
  }

  void finishPolyline() {
    if (!m_inPolyline) return;
    m_inPolyline = false;
    const DL_Attributes current = getAttributes();
    setAttributes(m_polylineAttributes);
    if (!m_polyline.vertices.empty()) add(m_polyline);
    setAttributes(current);
  }

  AcDbDatabase& m_db;
  DL_Dxf& m_dxf;
  bool m_utf8;
  bool m_inBlock = false;
  bool m_inPolyline = false;
  PolylineShape m_polyline;
  DL_Attributes m_polylineAttributes;
  std::vector<PendingImage> m_images;
  std::map<std::string, std::string> m_defFiles;
  std::map<std::string, int> m_skipped;
};

// --- the objects dxflib leaves out --------------------------------------------------

const Record* findRecord(const std::vector<Record>& recs, const std::string& type, const std::string& handle) {
  for (const Record& r : recs)
    if (r.type == type && r.value(5) && upperHex(*r.value(5)) == handle) return &r;
  return nullptr;
}

// Name -> handle entries of a dictionary record.
std::map<std::string, std::string> dictionaryEntries(const Record& dict) {
  std::map<std::string, std::string> entries;
  std::string name;
  for (const Group* g : dict.groups) {
    if (g->code == 3) name = g->value;
    if ((g->code == 350 || g->code == 360) && !name.empty()) entries[name] = upperHex(g->value);
  }
  return entries;
}

// The root dictionary's entry `name`, as the entries of that dictionary.
std::map<std::string, std::string> namedDictionary(const std::vector<Record>& recs, const std::string& name) {
  for (const Record& r : recs) {
    if (r.type != "DICTIONARY" || r.section != "OBJECTS") continue;
    auto root = dictionaryEntries(r);  // the first dictionary is the root
    auto it = root.find(name);
    if (it == root.end()) return {};
    const Record* dict = findRecord(recs, "DICTIONARY", it->second);
    return dict ? dictionaryEntries(*dict) : std::map<std::string, std::string>{};
  }
  return {};
}

void readView(const std::vector<Record>& recs, View& view) {
  for (const Record& r : recs) {
    if (r.type != "VPORT" || !r.value(2) || upperKey(*r.value(2)) != "*ACTIVE") continue;
    view.center = {r.real(12, 0.0), r.real(22, 0.0)};
    view.height = r.real(40, 1.0) > 0.0 ? r.real(40, 1.0) : 1.0;
    view.aspect = r.real(41, view.aspect) > 0.0 ? r.real(41, view.aspect) : view.aspect;
    view.twist = r.real(51, 0.0) * kDegree;
    return;
  }
}

void readPageSetup(const std::vector<Record>& recs, PageSetup& setup) {
  for (const Record& r : recs) {
    if (r.type != "LAYOUT") continue;
    // The layout's name follows its plot settings: the last group 1 is the name.
    std::string name;
    for (const Group* g : r.groups)
      if (g->code == 1) name = g->value;
    if (upperKey(name) != "MODEL") continue;
    setup.layoutName = name;
    if (const std::string* cfg = r.value(2)) setup.plotCfgName = cfg->empty() ? "None" : *cfg;
    if (const std::string* media = r.value(4)) setup.canonicalMediaName = *media;
    const int type = r.integer(74, static_cast<int>(setup.plotType));
    if (type >= 0 && type <= 5) setup.plotType = static_cast<PlotType>(type);
    setup.windowMin = {r.real(48, 0.0), r.real(49, 0.0)};
    setup.windowMax = {r.real(140, 0.0), r.real(141, 0.0)};
    return;
  }
}

void readHeader(const std::vector<Record>& recs, AcDbDatabase& db) {
  for (const Record& r : recs) {
    if (r.section != "HEADER") continue;
    for (std::size_t i = 0; i + 1 < r.groups.size(); ++i)
      if (r.groups[i]->code == 9 && r.groups[i]->value == "$CLAYER") {
        AcDbLayerTable* table = nullptr;
        if (db.getLayerTable(table, AcDb::kForRead) != Acad::eOk) return;
        AcDbObjectId id;
        table->getAt(r.groups[i + 1]->value.c_str(), id);
        table->close();
        if (!id.isNull()) db.setClayer(id);
      }
  }
}

void readImageFrame(const std::vector<Record>& recs, AcDbDatabase& db) {
  for (const Record& r : recs) {
    if (r.type != "RASTERVARIABLES") continue;
    if (AcDbRasterVariables* vars = AcDbRasterVariables::openRasterVariables(AcDb::kForWrite, &db)) {
      vars->setImageFrame(r.integer(70, 1) ? AcDbRasterVariables::kImageFrameOn : AcDbRasterVariables::kImageFrameOff);
      vars->close();
    }
    return;
  }
}

// Creates the definition of `handle` in the image dictionary under `name`.
AcDbObjectId makeDefinition(AcDbDatabase& db, const std::vector<Record>& recs, const std::string& handle,
                            const std::string& file, std::string name, int width, int height) {
  AcDbObjectId dictId;
  if (AcDbRasterImageDef::createImageDictionary(&db, dictId) != Acad::eOk) return AcDbObjectId();
  AcDbDictionary* dict = nullptr;
  if (acdbOpenObject(dict, dictId, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
  auto* def = new AcDbRasterImageDef;
  def->setSourceFileName(file.c_str());
  if (const Record* r = findRecord(recs, "IMAGEDEF", handle)) {
    width = static_cast<int>(r->real(10, width)), height = static_cast<int>(r->real(20, height));
  }
  if (def->load() != Acad::eOk) def->setStoredSize(width, height, false);
  if (name.empty() || dict->has(name.c_str())) {
    char suggested[2049];
    AcDbRasterImageDef::suggestName(dict, file.c_str(), suggested);
    name = suggested;
  }
  AcDbObjectId id;
  if (dict->setAt(name.c_str(), def, id) != Acad::eOk) delete def;
  else def->close();
  dict->close();
  return id;
}

// Ties each image to its definition through a reactor owned by the image.
void linkImages(AcDbDatabase& db, Reader& reader, const std::vector<Record>& recs) {
  std::map<std::string, std::string> names;  // definition handle -> dictionary name
  for (const auto& [name, handle] : namedDictionary(recs, "ACAD_IMAGE_DICT")) names[handle] = name;
  std::map<std::string, AcDbObjectId> defs;
  for (const auto& image : reader.images()) {
    auto file = reader.defFiles().find(image.defHandle);
    AcDbObjectId& def = defs[image.defHandle];
    if (def.isNull() && file != reader.defFiles().end())
      def = makeDefinition(db, recs, image.defHandle, file->second, names[image.defHandle], image.width, image.height);
    AcDbRasterImage* entity = nullptr;
    if (acdbOpenObject(entity, image.id, AcDb::kForWrite) != Acad::eOk) continue;
    if (def.isNull()) {  // an image needs its definition: leave it out
      entity->erase();
      entity->close();
      ++reader.skipped()["IMAGE without definition"];
      continue;
    }
    entity->setImageDefId(def);
    char handle[32];
    image.id.handle().getIntoAsciiBuffer(handle);
    if (const Record* r = findRecord(recs, "IMAGE", handle)) {
      const int options = r->integer(70, AcDbRasterImage::kShow | AcDbRasterImage::kShowUnAligned);
      entity->setDisplayOpt(AcDbRasterImage::kTransparent, (options & AcDbRasterImage::kTransparent) != 0);
      entity->setDisplayOpt(AcDbRasterImage::kShow, (options & AcDbRasterImage::kShow) != 0);
    }
    auto* reactor = new AcDbRasterImageDefReactor;
    reactor->setOwnerId(image.id);
    AcDbObjectId reactorId;
    db.addAcDbObject(reactorId, reactor);
    reactor->close();
    entity->setReactorId(reactorId);
    entity->close();
    AcDbRasterImageDef* definition = nullptr;
    if (acdbOpenObject(definition, def, AcDb::kForWrite) == Acad::eOk) {
      definition->addPersistentReactor(reactorId);
      definition->close();
    }
  }
}

// Objects made while reading (layers, definitions, reactors) take handles
// above every handle of the file, so the file's entities keep theirs.
void reserveHandles(const std::vector<Group>& groups, AcDbDatabase& db) {
  std::uint64_t highest = 0;
  for (const Group& g : groups)
    if (g.code == 5 || g.code == 105) highest = std::max<std::uint64_t>(highest, std::strtoull(g.value.c_str(), nullptr, 16));
  auto& next = db.impl().nextHandle;
  next = std::max(next, highest + 1);
}

bool holdsUtf8(const std::vector<Record>& recs) {
  for (const Record& r : recs) {
    if (r.section != "HEADER") continue;
    for (std::size_t i = 0; i + 1 < r.groups.size(); ++i)
      if (r.groups[i]->code == 9 && r.groups[i]->value == "$ACADVER") return r.groups[i + 1]->value >= "AC1021";
  }
  return false;
}

FileResult failure(const std::string& error) {
  FileResult result;
  result.error = error;
  return result;
}

std::string skippedSummary(const std::map<std::string, int>& skipped) {
  std::string text;
  for (const auto& [type, count] : skipped)
    text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + type;
  return text.empty() ? text : "skipped entities this editor does not support: " + text;
}

}  // namespace

FileResult readText(const std::string& text, AcDbDatabase& db) {
  if (db.modelSpaceId().isNull() || db.layerTableId().isNull()) return failure("the drawing to read into has no tables");
  std::vector<Group> groups;
  std::string error;
  if (!readGroups(text, groups, error)) return failure(error);
  const std::vector<Record> recs = records(groups);
  reserveHandles(groups, db);
  DL_Dxf dxf;
  Reader reader(db, dxf, holdsUtf8(recs));
  std::istringstream in(text);
  try {
    if (!dxf.in(in, &reader)) return failure("the DXF reader could not read the file");
  } catch (const std::exception& e) {
    return failure(std::string("the DXF reader failed: ") + e.what());
  }
  linkImages(db, reader, recs);
  readView(recs, view(db));
  readPageSetup(recs, pageSetup(db));
  readHeader(recs, db);
  readImageFrame(recs, db);
  FileResult result;
  result.ok = true;
  result.warning = skippedSummary(reader.skipped());
  return result;
}

}  // namespace arx::dxf
