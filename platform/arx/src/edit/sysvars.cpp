// System variables: kept in the drawing or derived from it.
#include <cstring>
#include <functional>
#include <optional>

#include "acedads.h"
#include "db/database_impl.h"
#include "dbsymtb.h"
#include "edit/view.h"
#include "win32/posix.h"

namespace {

using arx::SysVarValue;

struct StoredVar {
  const char* name;
  SysVarValue initial;
  short min, max;  // range of a short
};

// Variables the drawing stores; the user may set them.
const StoredVar kStored[] = {
    {"BACKGROUNDPLOT", short(2), 0, 3}, {"CMDECHO", short(1), 0, 1}, {"FILEDIA", short(1), 0, 1},
    {"CMDDIA", short(1), 0, 1},         {"PICKFIRST", short(1), 0, 1}, {"EXPERT", short(0), 0, 5},
    {"OSMODE", short(0), 0, 16383},     {"TILEMODE", short(1), 0, 1},
};

const StoredVar* storedVar(const std::string& name) {
  for (const StoredVar& v : kStored)
    if (name == v.name) return &v;
  return nullptr;
}

std::string drawingPath(const AcDbDatabase& db) {
  const std::string& path = db.impl().windowsPath;
  return path.empty() ? win32::ToWindowsPath(".") + "\\Drawing1.dwg" : path;
}

std::string fileName(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folder(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string currentLayerName(const AcDbDatabase& db) {
  const AcDbStub* stub = db.clayer().stub();
  return static_cast<const AcDbLayerTableRecord*>(stub->object.get())->name();
}

// Variables the editor derives from the drawing; read only.
std::optional<SysVarValue> derivedVar(const std::string& name, const AcDbDatabase& db) {
  const arx::View& view = arx::view(db);
  if (name == "CLAYER") return currentLayerName(db);
  if (name == "DWGNAME") return fileName(drawingPath(db));
  if (name == "DWGPREFIX") return folder(drawingPath(db));
  if (name == "ACADVER") return std::string("16.2s (LMS Tech)");
  if (name == "CTAB") return std::string("Model");
  if (name == "VIEWCTR") return arx::displayToWorld(view, view.center);
  if (name == "VIEWSIZE") return view.height;
  if (name == "VIEWTWIST") return view.twist;
  return std::nullopt;
}

bool fill(resbuf* result, const SysVarValue& value) {
  if (const short* s = std::get_if<short>(&value)) {
    result->restype = RTSHORT;
    result->resval.rint = *s;
  } else if (const double* d = std::get_if<double>(&value)) {
    result->restype = RTREAL;
    result->resval.rreal = *d;
  } else if (const arx::Point* p = std::get_if<arx::Point>(&value)) {
    result->restype = RT3DPOINT;
    result->resval.rpoint[0] = p->x, result->resval.rpoint[1] = p->y, result->resval.rpoint[2] = 0.0;
  } else {
    char* copy = nullptr;
    if (acutNewString(std::get<std::string>(value).c_str(), copy) != RTNORM) return false;
    result->restype = RTSTR;
    result->resval.rstring = copy;
  }
  return true;
}

int setCurrentLayer(AcDbDatabase& db, const char* name) {
  AcDbLayerTable* table = nullptr;
  if (!name || db.getLayerTable(table, AcDb::kForRead) != Acad::eOk) return RTERROR;
  AcDbObjectId id;
  const Acad::ErrorStatus es = table->getAt(name, id);
  table->close();
  return es == Acad::eOk && db.setClayer(id) == Acad::eOk ? RTNORM : RTERROR;
}

}  // namespace

int acedGetVar(const ACHAR* sym, resbuf* result) {
  if (!sym || !result) return RTERROR;
  const std::string name = arx::upperKey(sym);
  AcDbDatabase& db = arx::workingDrawing();
  if (auto derived = derivedVar(name, db)) return fill(result, *derived) ? RTNORM : RTERROR;
  const StoredVar* var = storedVar(name);
  if (!var) return RTERROR;
  auto it = db.impl().sysvars.find(name);
  return fill(result, it != db.impl().sysvars.end() ? it->second : var->initial) ? RTNORM : RTERROR;
}

int acedSetVar(const ACHAR* sym, const resbuf* value) {
  if (!sym || !value) return RTERROR;
  const std::string name = arx::upperKey(sym);
  AcDbDatabase& db = arx::workingDrawing();
  if (name == "CLAYER") return value->restype == RTSTR ? setCurrentLayer(db, value->resval.rstring) : RTERROR;
  const StoredVar* var = storedVar(name);
  if (!var || value->restype != RTSHORT) return RTERROR;
  const short v = value->resval.rint;
  if (v < var->min || v > var->max) return RTERROR;
  db.impl().sysvars[name] = v;
  return RTNORM;
}
