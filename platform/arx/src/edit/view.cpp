// The current view and acedTrans.
#include "edit/view.h"

#include <cmath>

#include "acedads.h"
#include "db/database_impl.h"

namespace arx {

Point worldToDisplay(const View& view, Point p) {
  const double c = std::cos(view.twist), s = std::sin(view.twist);
  return {c * p.x - s * p.y, s * p.x + c * p.y};
}

Point displayToWorld(const View& view, Point p) {
  const double c = std::cos(view.twist), s = std::sin(view.twist);
  return {c * p.x + s * p.y, -s * p.x + c * p.y};
}

}  // namespace arx

namespace {

enum class System { World, Display, Invalid };

System systemOf(const resbuf* rb) {
  if (!rb) return System::Invalid;
  switch (rb->restype) {
    case RTSHORT:
      if (rb->resval.rint == 0 || rb->resval.rint == 1) return System::World;  // the user system is the world's
      return rb->resval.rint == 2 ? System::Display : System::Invalid;
    case RTENAME: {
      // The flat entities of this editor have the world as their own system.
      AcDbObjectId id;
      return acdbGetObjectId(id, rb->resval.rlname) == Acad::eOk ? System::World : System::Invalid;
    }
    case RT3DPOINT:
      return rb->resval.rpoint[0] == 0.0 && rb->resval.rpoint[1] == 0.0 && rb->resval.rpoint[2] > 0.0
                 ? System::World
                 : System::Invalid;
    default:
      return System::Invalid;
  }
}

}  // namespace

// The display system turns about the view target (the origin), so points and
// displacements convert alike; z stays.
int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result) {
  const System a = systemOf(from), b = systemOf(to);
  if (!pt || !result || a == System::Invalid || b == System::Invalid || (disp != 0 && disp != 1)) return RTERROR;
  const arx::View& view = arx::view(arx::workingDrawing());
  arx::Point p{pt[0], pt[1]};
  if (a == System::Display) p = arx::displayToWorld(view, p);
  if (b == System::Display) p = arx::worldToDisplay(view, p);
  const double z = pt[2];
  result[0] = p.x, result[1] = p.y, result[2] = z;
  return RTNORM;
}
