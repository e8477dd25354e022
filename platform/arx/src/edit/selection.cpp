// Selection sets: crossing window, single pick, and the set operations.
#include "edit/selection.h"

#include <algorithm>
#include <map>

#include "acedads.h"
#include "db/database_impl.h"
#include "dbsymtb.h"
#include "arx/render/render.h"
#include "edit/view.h"
#include "file/drawing_tags.h"
#include "ui/driver.h"

namespace {

// Set names carry this tag in their second word; entity names carry 0.
constexpr Adesk::LongPtr kSetTag = 0x55AA;
// The editor keeps at most this many sets open at a time.
constexpr std::size_t kMaxSets = 128;

struct Sets {
  std::map<Adesk::LongPtr, std::vector<AcDbObjectId>> open;
  Adesk::LongPtr next = 1;
};
Sets& sets() {
  static Sets s;
  return s;
}

std::vector<AcDbObjectId>* membersOf(const ads_name ss) {
  if (!ss || ss[1] != kSetTag) return nullptr;
  auto it = sets().open.find(ss[0]);
  return it == sets().open.end() ? nullptr : &it->second;
}

int newSet(std::vector<AcDbObjectId> members, ads_name ss) {
  if (sets().open.size() >= kMaxSets) return RTERROR;
  const Adesk::LongPtr key = sets().next++;
  sets().open.emplace(key, std::move(members));
  ss[0] = key, ss[1] = kSetTag;
  return RTNORM;
}

bool isOption(const char* text, const char* option) {
  std::string t = arx::upperKey(text);
  t.erase(0, t.find_first_not_of('_'));
  return t == option;
}

// Entities on layers that are off or frozen cannot be selected.
bool selectable(const AcDbEntity& entity) {
  const auto* layer = static_cast<const AcDbLayerTableRecord*>(entity.layerId().stub()->object.get());
  return !layer->isOff() && !layer->isFrozen();
}

// Every model-space entity whose geometry, as the plot draws it, crosses the
// window or lies inside it; a block reference by its content. The window is a
// rectangle on the screen, so the test runs in display coordinates.
std::vector<AcDbObjectId> crossing(const double* p1, const double* p2) {
  const AcDbDatabase& db = arx::workingDrawing();
  const arx::View& view = arx::view(db);
  const arx::Point a = arx::worldToDisplay(view, {p1[0], p1[1]}), b = arx::worldToDisplay(view, {p2[0], p2[1]});
  const arx::Point o = arx::worldToDisplay(view, {0, 0}), x = arx::worldToDisplay(view, {1, 0}),
                   y = arx::worldToDisplay(view, {0, 1});
  arx::render::CrossingWindow window;
  window.box = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  window.toWindow = {x.x - o.x, x.y - o.y, y.x - o.x, y.y - o.y, o.x, o.y};

  std::vector<AcDbObjectId> found;
  const arx::file::DrawingTags drawing(db);
  arx::render::EntityMeasure measure(drawing, arx::render::Layers::Visible);
  drawing.forEachEntity([&](AcDbObjectId id, arx::render::Tags entity) {
    if (measure.crosses(entity, window)) found.push_back(id);
  });
  if (!measure.complete())
    ui::driver().commandLine("The drawing holds more than one selection measures: what came last in the draw order is left out.\n");
  // Only entities of the database count (a record it does not hold has no id).
  found.erase(std::remove_if(found.begin(), found.end(), [](AcDbObjectId id) { return id.isNull() || id.isErased(); }),
              found.end());
  return found;
}

// One pick answered by the user: an entity handle, nothing (Enter) or cancel.
int singlePick(ads_name ss) {
  const ui::PickAnswer answer = ui::driver().pick("Select objects: ");
  if (answer.kind == ui::PickAnswer::Kind::Cancel) {
    ui::driver().commandLine("*Cancel*\n");
    return RTCAN;
  }
  if (answer.kind == ui::PickAnswer::Kind::Nothing) return RTERROR;
  const AcDbObjectId id = arx::idFromHandle(arx::workingDrawing(), answer.handle);
  const AcDbStub* stub = id.stub();
  if (id.isNull() || id.isErased() || !stub->object->isKindOf(AcDbEntity::desc()) ||
      !selectable(*static_cast<const AcDbEntity*>(stub->object.get()))) {
    ui::driver().commandLine("*Invalid selection*\n");
    return RTERROR;
  }
  return newSet({id}, ss);
}

}  // namespace

namespace arx {
const std::vector<AcDbObjectId>* selectionMembers(const ads_name ss) { return membersOf(ss); }
}  // namespace arx

int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss) {
  if (!ss || !str || filter) return RTERROR;
  if (isOption(str, ":S")) return singlePick(ss);
  if (isOption(str, "C")) {
    if (!pt1 || !pt2) return RTERROR;
    std::vector<AcDbObjectId> found = crossing(static_cast<const double*>(pt1), static_cast<const double*>(pt2));
    return found.empty() ? RTERROR : newSet(std::move(found), ss);
  }
  return RTERROR;
}

int acedSSLength(const ads_name ss, long* len) {
  const auto* members = membersOf(ss);
  if (!members || !len) return RTERROR;
  *len = static_cast<long>(members->size());
  return RTNORM;
}

int acedSSName(const ads_name ss, long i, ads_name entres) {
  const auto* members = membersOf(ss);
  if (!members || !entres || i < 0 || static_cast<std::size_t>(i) >= members->size()) return RTERROR;
  return acdbGetAdsName(entres, (*members)[i]) == Acad::eOk ? RTNORM : RTERROR;
}

int acedSSAdd(const ads_name ename, const ads_name ss, ads_name result) {
  if (!result) return RTERROR;
  AcDbObjectId id;
  if (ename && acdbGetObjectId(id, ename) != Acad::eOk) return RTERROR;
  if (!ss) return newSet(id.isNull() ? std::vector<AcDbObjectId>{} : std::vector<AcDbObjectId>{id}, result);
  auto* members = membersOf(ss);
  if (!members) return RTERROR;
  if (!id.isNull() && std::find(members->begin(), members->end(), id) == members->end()) members->push_back(id);
  result[0] = ss[0], result[1] = ss[1];
  return RTNORM;
}

int acedSSFree(const ads_name ss) {
  if (!membersOf(ss)) return RTERROR;
  sets().open.erase(ss[0]);
  return RTNORM;
}
