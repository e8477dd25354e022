// Writing the database back through its document: records of objects the
// database did not change are written as they were read, changed objects get
// only their changed groups rewritten, new objects get new records (with
// handles from $HANDSEED), erased ones are left out. Everything the database
// does not model is written as it is.
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "db/database_impl.h"
#include "dbdict.h"
#include "dblayout.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "file/draw_order.h"
#include "file/drawing_file.h"
#include "file/patch.h"
#include "imgdef.h"
#include "imgent.h"
#include "imgvars.h"
#include "arx/pagesetup.h"

namespace arx::file {
namespace {

constexpr double kDegree = 180.0 / 3.14159265358979323846;
constexpr double kRadian = 3.14159265358979323846 / 180.0;

template <typename T>
const T* objectOf(const AcDbStub* stub) {
  return stub && stub->object && !stub->erased ? T::cast(stub->object.get()) : nullptr;
}
template <typename T>
const T* objectOf(AcDbObjectId id) {
  return isLiveStub(id.stub()) ? objectOf<T>(id.stub()) : nullptr;
}

std::string hexOf(AcDbObjectId id) { return hexHandle(id.handle().value()); }
std::string real(double v) { return dxf::formatReal(v); }

// An angle in degrees written only when it differs from the file's by more than rounding.
void angle(Patch& patch, const dxf::Document& doc, const dxf::Record& r, int code, double radians) {
  const double old = doc.real(r, code, 0.0);
  const double degrees = radians * kDegree;
  if (std::fabs(old - degrees) <= 1e-9 * std::max(1.0, std::fabs(old))) return;
  patch.real(code, degrees);
}

std::string layerName(const AcDbEntity& e) {
  const auto* layer = objectOf<AcDbLayerTableRecord>(e.layerId());
  return layer ? layer->name() : "0";
}

class Writer {
 public:
  Writer(AcDbDatabase& db, DrawingFile& file) : m_db(db), m_file(file), m_doc(file.doc) {}

  std::vector<dxf::Section> write() {
    bindRecords();
    drawOrder();
    std::vector<dxf::Section> out;
    for (std::size_t s = 0; s < m_doc.sections.size(); ++s) {
      const dxf::Section& in = m_doc.sections[s];
      dxf::Section section{in.name, in.head, {}};
      if (in.name == "ENTITIES") entities(static_cast<int>(s), section.records);
      else records(static_cast<int>(s), section.records);
      if (in.name == "OBJECTS") newObjects(section.records), newSortTable(section.records);
      if (in.name == "CLASSES") classes(section.records);
      out.push_back(std::move(section));
    }
    // Last: writing may have given out handles that $HANDSEED must be above.
    for (dxf::Section& section : out)
      if (section.name == "HEADER") section.head = header(section.head);
    return out;
  }

 private:
  // --- which record is whose -------------------------------------------------------

  void bindRecords() {
    m_bound.assign(m_doc.sections.size(), {});
    for (std::size_t s = 0; s < m_doc.sections.size(); ++s) m_bound[s].assign(m_doc.sections[s].records.size(), nullptr);
    for (auto& stub : m_db.impl().stubs) {
      if (stub->section < 0 || static_cast<std::size_t>(stub->section) >= m_bound.size()) continue;
      auto& records = m_bound[stub->section];
      for (std::uint32_t k = 0; k < std::max<std::uint32_t>(stub->records, 1); ++k)
        if (stub->record + k < records.size()) records[stub->record + k] = stub;
    }
  }

  // --- draw order ----------------------------------------------------------------------

  std::vector<AcDbObjectId> modelSpaceOrder() const {
    std::vector<AcDbObjectId> order;
    if (const auto* space = objectOf<AcDbBlockTableRecord>(m_db.modelSpaceId()))
      for (AcDbObjectId id : space->entityIds())
        if (objectOf<AcDbEntity>(id)) order.push_back(id);
    return order;
  }

  // The sort table must give the present draw order too; one is made when
  // the entities' handles do not.
  void drawOrder() {
    std::vector<std::uint64_t> order;
    for (AcDbObjectId id : modelSpaceOrder()) order.push_back(id.handle().value());
    const AcDbStub* space = m_db.modelSpaceId().stub();
    m_sortTable = findSortTable(m_doc, space->handle);
    m_sortEntries = sortEntries(order, m_sortTable ? &*m_sortTable : nullptr);
    if (m_sortTable || m_sortEntries.empty() || space->section < 0) return;
    m_xdict = extensionDictionary(m_doc.sections[space->section].records[space->record]);
    if (!m_xdict) m_newXdict = m_db.impl().nextHandle++;
    m_newSortTable = m_db.impl().nextHandle++;
  }

  std::uint64_t extensionDictionary(const dxf::Record& r) const {
    for (std::uint32_t i = 1; i + 1 < r.count; ++i)
      if (m_doc.code(r, i) == 102 && m_doc.value(r, i) == "{ACAD_XDICTIONARY" && m_doc.code(r, i + 1) == 360)
        return parseHandle(m_doc.value(r, i + 1));
    return 0;
  }

  bool sortTableChanged() const {
    if (m_sortEntries.size() != m_sortTable->sortHandles.size()) return true;
    return std::any_of(m_sortEntries.begin(), m_sortEntries.end(),
                       [&](const auto& e) { return m_sortTable->key(e.first) != e.second; });
  }

  // The records that hold the draw order: the sort table, and for a new one
  // the space's extension dictionary (or the space's link to a new one).
  std::optional<dxf::Record> drawOrderRecord(int s, std::uint32_t i) {
    const dxf::Record& r = m_doc.sections[s].records[i];
    if (m_sortTable && s == m_sortTable->section && i == m_sortTable->record)
      return sortTableChanged() ? m_doc.add(withEntries(m_doc, r, m_sortEntries)) : r;
    if (!m_newSortTable) return std::nullopt;
    const AcDbStub* space = m_db.modelSpaceId().stub();
    if (m_newXdict && s == space->section && i == space->record) {
      dxf::TagList tags = m_doc.tags(r);
      const auto handle = std::find_if(tags.begin(), tags.end(), [](const auto& t) { return t.first == 5; });
      const auto at = handle == tags.end() ? tags.begin() + 1 : handle + 1;
      tags.insert(at, {{102, "{ACAD_XDICTIONARY"}, {360, hexHandle(m_newXdict)}, {102, "}"}});
      return m_doc.add(tags);
    }
    if (!m_newXdict && m_doc.type(r) == "DICTIONARY" && parseHandle(m_doc.text(r, 5).value_or("")) == m_xdict) {
      dxf::TagList tags = m_doc.tags(r);
      tags.insert(tags.end(), {{3, "ACAD_SORTENTS"}, {360, hexHandle(m_newSortTable)}});
      return m_doc.add(tags);
    }
    return std::nullopt;
  }

  void newSortTable(std::vector<dxf::Record>& out) {
    if (!m_newSortTable) return;
    const std::string space = hexOf(m_db.modelSpaceId()), xdict = hexHandle(m_newXdict ? m_newXdict : m_xdict);
    if (m_newXdict)
      out.push_back(m_doc.add({{0, "DICTIONARY"}, {5, xdict}, {330, space}, {100, "AcDbDictionary"}, {280, "1"},
                               {281, "1"}, {3, "ACAD_SORTENTS"}, {360, hexHandle(m_newSortTable)}}));
    dxf::TagList t = {{0, "SORTENTSTABLE"}, {5, hexHandle(m_newSortTable)}, {102, "{ACAD_REACTORS"}, {330, xdict},
                      {102, "}"}, {330, xdict}, {100, "AcDbSortentsTable"}, {330, space}};
    for (const auto& [entity, key] : m_sortEntries) t.push_back({331, hexHandle(entity)}), t.push_back({5, hexHandle(key)});
    out.push_back(m_doc.add(t));
  }

  // Records of a section other than ENTITIES, with new layers before the layer table's end.
  void records(int s, std::vector<dxf::Record>& out) {
    const auto& in = m_doc.sections[s].records;
    std::string table;
    for (std::uint32_t i = 0; i < in.size(); ++i) {
      const std::string_view type = m_doc.type(in[i]);
      if (type == "TABLE") table = upperKey(m_doc.text(in[i], 2).value_or(""));
      if (type == "ENDTAB" && table == "LAYER") newLayers(out);
      if (s == m_file.vport.section && i == m_file.vport.record) {
        out.push_back(viewport(in[i]));
        continue;
      }
      if (auto record = drawOrderRecord(s, i)) {
        out.push_back(*record);
        continue;
      }
      if (s == m_file.modelLayout.section && i == m_file.modelLayout.record) {
        Patch patch(m_doc, in[i]);
        patchLayout(patch, in[i]);
        out.push_back(patch.result());
        continue;
      }
      AcDbStub* stub = m_bound[s][i];
      if (!stub || !stub->object) out.push_back(in[i]);
      else if (!stub->erased && stub->record == i) out.push_back(patched(stub, in[i]));
    }
  }

  // Model-space entities fill the places model-space entities had, in draw
  // order; the others keep their places; new ones come last.
  void entities(int s, std::vector<dxf::Record>& out) {
    const auto& in = m_doc.sections[s].records;
    const std::vector<AcDbObjectId> order = modelSpaceOrder();
    std::size_t next = 0;
    for (std::uint32_t i = 0; i < in.size(); ++i) {
      AcDbStub* stub = m_bound[s][i];
      if (!stub || !stub->object) {
        out.push_back(in[i]);
        continue;
      }
      if (stub->record != i) continue;  // the VERTEX and SEQEND records of a polyline
      if (next < order.size()) entity(order[next++], out);
    }
    for (; next < order.size(); ++next) entity(order[next], out);
  }

  void entity(AcDbObjectId id, std::vector<dxf::Record>& out) {
    AcDbStub* stub = id.stub();
    const auto& e = *static_cast<const AcDbEntity*>(stub->object.get());
    if (stub->section < 0) return newEntity(id, e, out);
    const auto& in = m_doc.sections[stub->section].records;
    if (const auto* shape = std::get_if<PolylineShape>(&e.shape());
        shape && m_doc.type(in[stub->record]) == "POLYLINE")
      return heavyPolyline(stub, e, *shape, out);
    out.push_back(patched(stub, in[stub->record]));
    // A kept entity's VERTEX or ATTRIB records and its SEQEND follow it as they are.
    if (std::holds_alternative<KeptShape>(e.shape()))
      for (std::uint32_t k = 1; k < stub->records && stub->record + k < in.size(); ++k) out.push_back(in[stub->record + k]);
  }

  // --- changed records -------------------------------------------------------------

  dxf::Record patched(AcDbStub* stub, const dxf::Record& r) {
    const AcDbObject* object = stub->object.get();
    Patch patch(m_doc, r);
    if (const auto* layer = AcDbLayerTableRecord::cast(object)) patchLayer(patch, r, *layer);
    else if (const auto* entity = AcDbEntity::cast(object)) patchEntity(patch, r, *entity);
    else if (const auto* dict = AcDbDictionary::cast(object)) patchDictionary(patch, r, *dict);
    else if (const auto* def = AcDbRasterImageDef::cast(object)) patchDefinition(patch, r, *def);
    else if (const auto* vars = AcDbRasterVariables::cast(object)) patchVariables(patch, *vars);
    return patch.result();
  }

  void text(Patch& patch, const dxf::Record& r, int code, const std::string& value, int after = -1) {
    const auto old = m_doc.text(r, code);
    if (old && m_file.text(*old) == value) return;
    patch.text(code, m_file.fileText(value), after);
  }

  void patchLayer(Patch& patch, const dxf::Record& r, const AcDbLayerTableRecord& record) {
    const Layer& layer = record.data();
    text(patch, r, 2, layer.name);
    const long long flags = m_doc.integer(r, 70, 0);
    patch.integer(70, (flags & ~1LL) | (layer.frozen ? 1 : 0), 2);
    const long long color = layer.on ? layer.color : -layer.color;
    if (m_doc.integer(r, 62, 7) != color) patch.integer(62, color, 70);
    if ((m_doc.integer(r, 290, 1) != 0) != layer.plottable) patch.integer(290, layer.plottable ? 1 : 0, 6);
  }

  void patchEntity(Patch& patch, const dxf::Record& r, const AcDbEntity& e) {
    text(patch, r, 8, layerName(e));
    if (m_doc.integer(r, 62, 256) != e.colorIndex()) patch.integer(62, e.colorIndex(), 8);
    auto point = [&](int code, Point p) {
      patch.real(code, p.x);
      patch.real(code + 10, p.y);
    };
    const Shape& shape = e.shape();
    if (const auto* l = std::get_if<LineShape>(&shape)) {
      point(10, l->start), point(11, l->end);
    } else if (const auto* c = std::get_if<CircleShape>(&shape)) {
      point(10, c->center), patch.real(40, c->radius);
    } else if (const auto* a = std::get_if<ArcShape>(&shape)) {
      point(10, a->center), patch.real(40, a->radius);
      angle(patch, m_doc, r, 50, a->startAngle), angle(patch, m_doc, r, 51, a->endAngle);
    } else if (const auto* t = std::get_if<TextShape>(&shape)) {
      point(10, t->position), patch.real(40, t->height);
      text(patch, r, 1, t->text);
      angle(patch, m_doc, r, 50, t->rotation);
    } else if (const auto* p = std::get_if<PolylineShape>(&shape)) {
      patchLightPolyline(patch, r, *p);
    } else if (const auto* image = AcDbRasterImage::cast(&e)) {
      patchImage(patch, *image);
    }
  }

  void patchLightPolyline(Patch& patch, const dxf::Record& r, const PolylineShape& shape) {
    patch.integer(70, (m_doc.integer(r, 70, 0) & ~1LL) | (shape.closed ? 1 : 0));
    std::vector<PolylineVertex> old;
    for (std::uint32_t i = 1; i < r.count; ++i) {
      const int code = m_doc.code(r, i);
      double v = 0.0;
      dxf::parseReal(m_doc.value(r, i), v);
      if (code == 10) old.push_back({{v, 0.0}, 0.0});
      else if (old.empty()) continue;
      else if (code == 20) old.back().point.y = v;
      else if (code == 42) old.back().bulge = v;
    }
    const bool same = old.size() == shape.vertices.size() &&
                      std::equal(old.begin(), old.end(), shape.vertices.begin(), [](const auto& a, const auto& b) {
                        return a.point.x == b.point.x && a.point.y == b.point.y && a.bulge == b.bulge;
                      });
    if (same) return;
    dxf::TagList& tags = patch.tags();
    std::size_t at = tags.size();
    for (std::size_t i = tags.size(); i-- > 1;) {
      const int code = tags[i].first;
      if (code == 10 || code == 20 || code == 40 || code == 41 || code == 42 || code == 91) {
        tags.erase(tags.begin() + static_cast<long>(i));
        at = i;
      }
    }
    dxf::TagList vertices;
    for (const auto& v : shape.vertices) {
      vertices.push_back({10, real(v.point.x)});
      vertices.push_back({20, real(v.point.y)});
      if (v.bulge != 0.0) vertices.push_back({42, real(v.bulge)});
    }
    patch.replace(std::min(at, tags.size()), std::min(at, tags.size()), vertices);
    patch.integer(90, static_cast<long long>(shape.vertices.size()));
  }

  // A POLYLINE with its VERTEX records: the vertices keep their records while their number stays.
  void heavyPolyline(AcDbStub* stub, const AcDbEntity& e, const PolylineShape& shape, std::vector<dxf::Record>& out) {
    const auto& in = m_doc.sections[stub->section].records;
    const dxf::Record& head = in[stub->record];
    Patch patch(m_doc, head);
    text(patch, head, 8, layerName(e));
    if (m_doc.integer(head, 62, 256) != e.colorIndex()) patch.integer(62, e.colorIndex(), 8);
    patch.integer(70, (m_doc.integer(head, 70, 0) & ~1LL) | (shape.closed ? 1 : 0));
    out.push_back(patch.result());
    std::vector<std::uint32_t> vertices;
    std::uint32_t end = stub->record + std::max<std::uint32_t>(stub->records, 1);
    for (std::uint32_t i = stub->record + 1; i < end; ++i)
      if (m_doc.type(in[i]) == "VERTEX" && !(m_doc.integer(in[i], 70, 0) & 16)) vertices.push_back(i);
    const bool keep = vertices.size() == shape.vertices.size();
    std::size_t k = 0;
    for (std::uint32_t i = stub->record + 1; i < end; ++i) {
      const bool isVertex = k < vertices.size() && vertices[k] == i;
      if (isVertex && keep) {
        Patch v(m_doc, in[i]);
        v.real(10, shape.vertices[k].point.x), v.real(20, shape.vertices[k].point.y);
        if (m_doc.real(in[i], 42, 0.0) != shape.vertices[k].bulge) v.real(42, shape.vertices[k].bulge, 30);
        out.push_back(v.result());
      } else if (!isVertex) {
        if (m_doc.type(in[i]) == "SEQEND" && !keep) newVertices(stub, e, shape, vertices.empty() ? nullptr : &in[vertices[0]], out);
        out.push_back(in[i]);
      }
      if (isVertex) ++k;
    }
  }

  void newVertices(AcDbStub* stub, const AcDbEntity& e, const PolylineShape& shape, const dxf::Record* model,
                   std::vector<dxf::Record>& out) {
    for (const auto& vertex : shape.vertices) {
      dxf::TagList t = model ? m_doc.tags(*model)
                             : dxf::TagList{{0, "VERTEX"}, {5, "0"}, {330, hexHandle(stub->handle)}, {100, "AcDbEntity"},
                                            {8, m_file.fileText(layerName(e))}, {100, "AcDbVertex"},
                                            {100, "AcDb2dVertex"}, {10, "0"}, {20, "0"}, {30, "0.0"}, {70, "0"}};
      Patch patch(m_doc, m_doc.add(t));
      patch.text(5, hexHandle(m_db.impl().nextHandle++));
      patch.real(10, vertex.point.x), patch.real(20, vertex.point.y);
      patch.real(42, vertex.bulge, 30);
      out.push_back(patch.result());
    }
  }

  void patchImage(Patch& patch, const AcDbRasterImage& image) {
    AcGePoint3d origin;
    AcGeVector3d u, v;
    image.getOrientation(origin, u, v);
    const AcGeVector2d size = image.imageSize();
    patch.real(10, origin.x), patch.real(20, origin.y), patch.real(30, origin.z);
    if (size.x > 0.0 && size.y > 0.0) {
      patch.real(11, u.x / size.x), patch.real(21, u.y / size.x), patch.real(31, u.z / size.x);
      patch.real(12, v.x / size.y), patch.real(22, v.y / size.y), patch.real(32, v.z / size.y);
      patch.real(13, size.x), patch.real(23, size.y);
    }
    patch.text(340, hexOf(image.imageDefId()));
    if (objectOf<AcDbRasterImageDefReactor>(image.reactorId())) patch.text(360, hexOf(image.reactorId()), 340);
    patch.integer(70, image.displayOptions());
  }

  void patchDictionary(Patch& patch, const dxf::Record& r, const AcDbDictionary& dict) {
    struct Pair {
      std::string name;  // as in the file
      int code;
      std::uint64_t handle;
      bool operator==(const Pair&) const = default;
    };
    std::vector<Pair> old, now;
    std::string name;
    for (std::uint32_t i = 1; i < r.count; ++i) {
      const int code = m_doc.code(r, i);
      if (code == 3) name = std::string(m_doc.value(r, i));
      else if ((code == 350 || code == 360) && !name.empty())
        old.push_back({name, code, parseHandle(m_doc.value(r, i))}), name.clear();
    }
    std::unordered_set<std::string> used;
    for (const Pair& p : old) {
      const std::string key = upperKey(m_file.text(p.name));
      auto it = dict.entries().find(key);
      if (it != dict.entries().end()) {
        used.insert(key);
        if (!it->second.id.isErased()) now.push_back({p.name, p.code, it->second.id.handle().value()});
        continue;
      }
      auto stub = m_db.impl().byHandle.find(p.handle);
      if (stub == m_db.impl().byHandle.end() || !stub->second->object) now.push_back(p);  // not the database's
    }
    for (const auto& [key, entry] : dict.entries())
      if (!used.count(key) && !entry.id.isErased() && written(entry.id))
        now.push_back({m_file.fileText(entry.name), 350, entry.id.handle().value()});
    if (now == old) return;
    dxf::TagList& tags = patch.tags();
    std::size_t from = 1;
    for (std::size_t i = 1; i < tags.size(); ++i)
      if (tags[i].first == 100 && tags[i].second == "AcDbDictionary") from = i + 1;
    std::size_t end = tags.size();
    for (std::size_t i = from; i < tags.size(); ++i)
      if (tags[i].first >= 1000 && end == tags.size()) end = i;
    for (std::size_t i = end; i-- > from;)
      if (tags[i].first == 3 || tags[i].first == 350 || tags[i].first == 360) tags.erase(tags.begin() + static_cast<long>(i)), --end;
    dxf::TagList pairs;
    for (const Pair& p : now) pairs.push_back({3, p.name}), pairs.push_back({p.code, hexHandle(p.handle)});
    patch.replace(end, end, pairs);
  }

  // Objects the writer can store.
  static bool written(AcDbObjectId id) {
    return objectOf<AcDbDictionary>(id) || objectOf<AcDbRasterImageDef>(id) || objectOf<AcDbRasterVariables>(id) ||
           objectOf<AcDbLayout>(id);
  }

  void patchDefinition(Patch& patch, const dxf::Record& r, const AcDbRasterImageDef& def) {
    text(patch, r, 1, def.sourceFileName());
    if (def.width() > 0 && def.height() > 0) patch.real(10, def.width()), patch.real(20, def.height());
    patch.integer(280, def.isLoaded() ? 1 : 0);
    // Reactors: the owner and the image reactors; reactors of others stay.
    std::vector<std::uint64_t> old;
    bool inside = false;
    for (std::uint32_t i = 1; i < r.count; ++i) {
      if (m_doc.code(r, i) == 102) inside = m_doc.value(r, i) == "{ACAD_REACTORS";
      else if (inside && m_doc.code(r, i) == 330) old.push_back(parseHandle(m_doc.value(r, i)));
    }
    std::vector<std::uint64_t> now;
    for (std::uint64_t h : old) {
      auto stub = m_db.impl().byHandle.find(h);
      const bool ours = stub != m_db.impl().byHandle.end() && stub->second->object &&
                        AcDbRasterImageDefReactor::cast(stub->second->object.get());
      if (!ours || std::count(def.persistentReactors().begin(), def.persistentReactors().end(), AcDbObjectId(stub->second)))
        if (!ours || !stub->second->erased) now.push_back(h);
    }
    for (AcDbObjectId reactor : def.persistentReactors())
      if (objectOf<AcDbRasterImageDefReactor>(reactor) &&
          std::find(now.begin(), now.end(), reactor.handle().value()) == now.end())
        now.push_back(reactor.handle().value());
    if (now == old) return;
    dxf::TagList& tags = patch.tags();
    dxf::TagList block = {{102, "{ACAD_REACTORS"}};
    for (std::uint64_t h : now) block.push_back({330, hexHandle(h)});
    block.push_back({102, "}"});
    std::size_t begin = 0, end = 0;
    for (std::size_t i = 1; i < tags.size(); ++i) {
      if (tags[i].first == 102 && tags[i].second == "{ACAD_REACTORS") begin = i;
      if (begin && tags[i].first == 102 && tags[i].second == "}") {
        end = i + 1;
        break;
      }
    }
    if (begin && end) patch.replace(begin, end, block);
    else patch.replace(2, 2, block);
  }

  void patchVariables(Patch& patch, const AcDbRasterVariables& vars) {
    patch.integer(70, vars.imageFrame() == AcDbRasterVariables::kImageFrameOff ? 0
                      : vars.imageFrame() == AcDbRasterVariables::kImageFrameBelow ? 2 : 1);
    patch.integer(71, vars.imageQuality() == AcDbRasterVariables::kImageQualityDraft ? 0 : 1);
  }

  void patchLayout(Patch& patch, const dxf::Record& r) {
    const PageSetup& setup = pageSetup(m_db);
    const char* settings = "AcDbPlotSettings";
    const auto cfg = m_doc.text(r, 2);
    const std::string oldCfg = cfg ? (cfg->empty() ? "None" : m_file.text(*cfg)) : "";
    if (oldCfg != setup.plotCfgName) patch.text(2, m_file.fileText(setup.plotCfgName), 1, settings);
    const auto media = m_doc.text(r, 4);
    if (!media || m_file.text(*media) != setup.canonicalMediaName)
      patch.text(4, m_file.fileText(setup.canonicalMediaName), 2, settings);
    patch.integer(74, static_cast<int>(setup.plotType), 73, settings);
    patch.real(48, setup.windowMin.x, 47, settings), patch.real(49, setup.windowMin.y, 48, settings);
    patch.real(140, setup.windowMax.x, 49, settings), patch.real(141, setup.windowMax.y, 140, settings);
    patch.real(46, setup.plotOrigin.x, 45, settings), patch.real(47, setup.plotOrigin.y, 46, settings);
    const long long flags = m_doc.integer(r, 70, 688);  // the plot settings' flags come first
    patch.integer(70, setup.centered ? flags | 4 : flags & ~4LL, 143, settings);
  }

  dxf::Record viewport(const dxf::Record& r) {
    const View& v = view(m_db);
    Patch patch(m_doc, r);
    patch.real(12, v.center.x), patch.real(22, v.center.y);
    patch.real(40, v.height), patch.real(41, v.aspect);
    angle(patch, m_doc, r, 51, v.twist);
    return patch.result();
  }

  dxf::Record header(const dxf::Record& head) {
    Patch patch(m_doc, head);
    auto variable = [&](const char* name, int code, const std::string& value) {
      const long i = m_doc.headerVariable(name);
      if (i >= 0 && m_doc.value(head, static_cast<std::uint32_t>(i)) == value) return;
      dxf::TagList& tags = patch.tags();
      if (i >= 0) tags[static_cast<std::size_t>(i)].second = value;
      else tags.insert(tags.end(), {{9, name}, {code, value}});
    };
    variable("$ACADVER", 1, m_file.version);
    const auto* clayer = objectOf<AcDbLayerTableRecord>(m_db.clayer());
    const long current = m_doc.headerVariable("$CLAYER");
    if (clayer && (current < 0 || m_file.text(m_doc.value(head, current)) != clayer->name()))
      variable("$CLAYER", 8, m_file.fileText(clayer->name()));
    variable("$HANDSEED", 5, hexHandle(m_db.impl().nextHandle));
    return patch.result();
  }

  // --- new records ------------------------------------------------------------------

  bool isNew(const AcDbStub& stub) const { return stub.section < 0 && stub.object && !stub.erased; }

  void newLayers(std::vector<dxf::Record>& out) {
    const AcDbObjectId table = m_db.layerTableId();
    for (auto& stub : m_db.impl().stubs) {
      const auto* record = objectOf<AcDbLayerTableRecord>(stub);
      if (!record || !isNew(*stub)) continue;
      const Layer& layer = record->data();
      out.push_back(m_doc.add({{0, "LAYER"}, {5, hexHandle(stub->handle)}, {330, hexOf(table)},
                               {100, "AcDbSymbolTableRecord"}, {100, "AcDbLayerTableRecord"},
                               {2, m_file.fileText(layer.name)}, {70, layer.frozen ? "1" : "0"},
                               {62, std::to_string(layer.on ? layer.color : -layer.color)}, {6, "Continuous"},
                               {290, layer.plottable ? "1" : "0"}, {370, "-3"}}));
    }
  }

  void newEntity(AcDbObjectId id, const AcDbEntity& e, std::vector<dxf::Record>& out) {
    dxf::TagList t = {{0, ""}, {5, hexOf(id)}, {330, hexOf(m_db.modelSpaceId())}, {100, "AcDbEntity"},
                      {8, m_file.fileText(layerName(e))}};
    if (!e.color().isByLayer()) t.push_back({62, std::to_string(e.colorIndex())});
    auto point = [&t](int code, Point p) {
      t.push_back({code, real(p.x)}), t.push_back({code + 10, real(p.y)}), t.push_back({code + 20, "0.0"});
    };
    const Shape& shape = e.shape();
    if (const auto* l = std::get_if<LineShape>(&shape)) {
      t[0].second = "LINE", t.push_back({100, "AcDbLine"});
      point(10, l->start), point(11, l->end);
    } else if (const auto* c = std::get_if<CircleShape>(&shape)) {
      t[0].second = "CIRCLE", t.push_back({100, "AcDbCircle"});
      point(10, c->center), t.push_back({40, real(c->radius)});
    } else if (const auto* a = std::get_if<ArcShape>(&shape)) {
      t[0].second = "ARC", t.push_back({100, "AcDbCircle"});
      point(10, a->center), t.push_back({40, real(a->radius)});
      t.push_back({100, "AcDbArc"}), t.push_back({50, real(a->startAngle * kDegree)});
      t.push_back({51, real(a->endAngle * kDegree)});
    } else if (const auto* x = std::get_if<TextShape>(&shape)) {
      t[0].second = "TEXT", t.push_back({100, "AcDbText"});
      point(10, x->position), t.push_back({40, real(x->height)}), t.push_back({1, m_file.fileText(x->text)});
      if (x->rotation != 0.0) t.push_back({50, real(x->rotation * kDegree)});
      t.push_back({100, "AcDbText"});
    } else if (const auto* p = std::get_if<PolylineShape>(&shape)) {
      t[0].second = "LWPOLYLINE", t.push_back({100, "AcDbPolyline"});
      t.push_back({90, std::to_string(p->vertices.size())}), t.push_back({70, p->closed ? "1" : "0"});
      t.push_back({43, "0.0"});
      for (const auto& v : p->vertices) {
        t.push_back({10, real(v.point.x)}), t.push_back({20, real(v.point.y)});
        if (v.bulge != 0.0) t.push_back({42, real(v.bulge)});
      }
    } else if (const auto* image = AcDbRasterImage::cast(&e)) {
      if (!objectOf<AcDbRasterImageDef>(image->imageDefId())) return;  // an image needs its definition
      t[0].second = "IMAGE", t.push_back({100, "AcDbRasterImage"}), t.push_back({90, "0"});
      t.push_back({10, "0.0"}), t.push_back({20, "0.0"}), t.push_back({30, "0.0"});
      for (int code : {11, 21, 31, 12, 22, 32, 13, 23}) t.push_back({code, "0.0"});
      t.push_back({340, "0"}), t.push_back({70, "0"});
      t.push_back({280, "0"}), t.push_back({281, "50"}), t.push_back({282, "50"}), t.push_back({283, "0"});
      t.push_back({71, "1"}), t.push_back({91, "2"});
      Patch patch(m_doc, m_doc.add(t));
      patchImage(patch, *image);
      const AcGeVector2d size = image->imageSize();
      const double w = size.x > 0.0 ? size.x : 1.0, h = size.y > 0.0 ? size.y : 1.0;
      patch.tags().insert(patch.tags().end(), {{14, "-0.5"}, {24, "-0.5"}, {14, real(w - 0.5)}, {24, real(h - 0.5)}});
      out.push_back(patch.result());
      return;
    }
    out.push_back(m_doc.add(t));
  }

  void newObjects(std::vector<dxf::Record>& out) {
    for (auto& stub : m_db.impl().stubs) {
      if (!isNew(*stub)) continue;
      const AcDbObject* object = stub->object.get();
      const std::string handle = hexHandle(stub->handle), owner = hexOf(object->ownerId());
      const dxf::TagList reactors = {{102, "{ACAD_REACTORS"}, {330, owner}, {102, "}"}};
      dxf::TagList t = {{0, ""}, {5, handle}};
      if (const auto* dict = AcDbDictionary::cast(object)) {
        t[0].second = "DICTIONARY";
        t.insert(t.end(), reactors.begin(), reactors.end());
        t.insert(t.end(), {{330, owner}, {100, "AcDbDictionary"}, {281, "1"}});
        for (const auto& [key, entry] : dict->entries())
          if (!entry.id.isErased() && written(entry.id))
            t.push_back({3, m_file.fileText(entry.name)}), t.push_back({350, hexOf(entry.id)});
      } else if (const auto* def = AcDbRasterImageDef::cast(object)) {
        t[0].second = "IMAGEDEF";
        t.push_back({102, "{ACAD_REACTORS"}), t.push_back({330, owner});
        for (AcDbObjectId r : def->persistentReactors())
          if (objectOf<AcDbRasterImageDefReactor>(r)) t.push_back({330, hexOf(r)});
        t.insert(t.end(), {{102, "}"}, {330, owner}, {100, "AcDbRasterImageDef"}, {90, "0"},
                           {1, m_file.fileText(def->sourceFileName())}, {10, real(def->width() > 0 ? def->width() : 1.0)},
                           {20, real(def->height() > 0 ? def->height() : 1.0)}, {11, "1.0"}, {21, "1.0"},
                           {280, def->isLoaded() ? "1" : "0"}, {281, "0"}});
      } else if (const auto* vars = AcDbRasterVariables::cast(object)) {
        t[0].second = "RASTERVARIABLES";
        t.insert(t.end(), reactors.begin(), reactors.end());
        t.insert(t.end(), {{330, owner}, {100, "AcDbRasterVariables"}, {90, "0"}, {70, "1"}, {71, "1"}, {72, "0"}});
        Patch patch(m_doc, m_doc.add(t));
        patchVariables(patch, *vars);
        out.push_back(patch.result());
        continue;
      } else if (AcDbRasterImageDefReactor::cast(object)) {
        if (!objectOf<AcDbRasterImage>(object->ownerId())) continue;
        t[0].second = "IMAGEDEF_REACTOR";
        t.insert(t.end(), {{330, owner}, {100, "AcDbRasterImageDefReactor"}, {90, "2"}, {330, owner}});
      } else if (AcDbLayout::cast(object)) {
        out.push_back(layoutRecord(stub->handle, object->ownerId()));
        continue;
      } else {
        continue;
      }
      out.push_back(m_doc.add(t));
    }
  }

  dxf::Record layoutRecord(std::uint64_t handle, AcDbObjectId owner) {
    std::uint64_t next = 1;
    SkeletonHandles h;
    h.layoutDictionary = owner.handle().value();
    h.modelLayout = handle;
    h.modelSpace = m_db.modelSpaceId().handle().value();
    const dxf::Document empty = emptyDrawing(h, next, pageSetup(m_db), view(m_db));
    const dxf::Section& objects = *empty.section("OBJECTS");
    return m_doc.add(empty.tags(objects.records[3]));  // the model layout of an empty drawing
  }

  void classes(std::vector<dxf::Record>& out) {
    bool raster = false;
    for (auto& stub : m_db.impl().stubs)
      if (stub->object && !stub->erased &&
          (AcDbRasterImageDef::cast(stub->object.get()) || AcDbRasterVariables::cast(stub->object.get())))
        raster = true;
    struct Class {
      const char* dxfName;
      const char* cppName;
      const char* application;
      int flags;
      bool entity;
    };
    static constexpr Class kRaster[] = {{"IMAGEDEF", "AcDbRasterImageDef", "ISM", 0, false},
                                        {"IMAGEDEF_REACTOR", "AcDbRasterImageDefReactor", "ISM", 1, false},
                                        {"RASTERVARIABLES", "AcDbRasterVariables", "ISM", 0, false},
                                        {"IMAGE", "AcDbRasterImage", "ISM", 127, true}};
    static constexpr Class kSortTable = {"SORTENTSTABLE", "AcDbSortentsTable", "ObjectDBX Classes", 0, false};
    std::vector<Class> needed;
    if (raster) needed.assign(std::begin(kRaster), std::end(kRaster));
    if (m_newSortTable) needed.push_back(kSortTable);
    for (const Class& c : needed) {
      const bool present = std::any_of(out.begin(), out.end(), [&](const dxf::Record& r) {
        return m_doc.type(r) == "CLASS" && m_doc.text(r, 1).value_or("") == c.dxfName;
      });
      if (!present)
        out.push_back(m_doc.add({{0, "CLASS"}, {1, c.dxfName}, {2, c.cppName}, {3, c.application},
                                 {90, std::to_string(c.flags)}, {280, "0"}, {281, c.entity ? "1" : "0"}}));
    }
  }

  AcDbDatabase& m_db;
  DrawingFile& m_file;
  dxf::Document& m_doc;
  std::vector<std::vector<AcDbStub*>> m_bound;
  // The draw order the file keeps: the model space's sort table and the
  // entries it must hold; handles of a new table and extension dictionary.
  std::optional<SortTable> m_sortTable;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> m_sortEntries;
  std::uint64_t m_xdict = 0, m_newXdict = 0, m_newSortTable = 0;
};

// A new drawing gets the document of an empty drawing, whose records its
// first objects (tables, spaces, the root dictionary, layouts) take.
void makeDocument(AcDbDatabase& db) {
  auto& impl = db.impl();
  modelLayoutId(db);  // the layouts are objects of the database from the start
  SkeletonHandles h;
  h.namedObjects = db.namedObjectsDictionaryId().handle().value();
  h.blockTable = db.blockTableId().handle().value();
  h.layerTable = db.layerTableId().handle().value();
  h.modelSpace = db.modelSpaceId().handle().value();
  h.paperSpace = impl.paperSpace.handle().value();
  AcDbObjectId layouts, model;
  if (const auto* nod = objectOf<AcDbDictionary>(db.namedObjectsDictionaryId()))
    if (nod->getAt("ACAD_LAYOUT", layouts) == Acad::eOk)
      if (const auto* dict = objectOf<AcDbDictionary>(layouts)) dict->getAt("Model", model);
  h.layoutDictionary = layouts.handle().value();
  h.modelLayout = model.handle().value();
  auto file = std::make_shared<DrawingFile>();
  file->doc = emptyDrawing(h, impl.nextHandle, pageSetup(db), view(db));
  for (std::size_t s = 0; s < file->doc.sections.size(); ++s) {
    const auto& records = file->doc.sections[s].records;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
      const std::string_view type = file->doc.type(records[i]);
      const std::uint64_t handle = parseHandle(file->doc.text(records[i], type == "DIMSTYLE" ? 105 : 5).value_or(""));
      if (type == "VPORT") file->vport = {static_cast<int>(s), i};
      if (type == "LAYOUT" && handle == h.modelLayout) file->modelLayout = {static_cast<int>(s), i};
      auto it = impl.byHandle.find(handle);
      if (it != impl.byHandle.end() && it->second->object)
        it->second->section = static_cast<int>(s), it->second->record = i, it->second->records = 1;
    }
  }
  impl.file = std::move(file);
}

}  // namespace

std::vector<dxf::Section> currentSections(const AcDbDatabase& constDb) {
  auto& db = const_cast<AcDbDatabase&>(constDb);  // the document keeps the records it makes
  if (!db.impl().file) makeDocument(db);
  // Handles given out while writing belong to records that are not kept.
  const std::uint64_t next = db.impl().nextHandle;
  std::vector<dxf::Section> sections = Writer(db, *db.impl().file).write();
  db.impl().nextHandle = next;
  return sections;
}

FileResult saveDocument(const AcDbDatabase& constDb, const std::string& path) {
  auto& db = const_cast<AcDbDatabase&>(constDb);  // the document keeps the records it writes
  if (!db.impl().file) makeDocument(db);
  DrawingFile& file = *db.impl().file;
  std::vector<dxf::Section> sections = Writer(db, file).write();
  std::swap(file.doc.sections, sections);
  std::string error;
  const bool saved = dxf::save(file.doc, file.doc.format, path, error);
  std::swap(file.doc.sections, sections);
  return saved ? FileResult(true) : FileResult(false, error);
}

}  // namespace arx::file
