// Line, lightweight polyline, circle, arc and text.
#include <cmath>

#include "database_impl.h"
#include "dbents.h"
#include "dbproxy.h"

ACRX_DEFINE_MEMBERS(AcDbLine, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbPolyline, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbCircle, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbArc, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbText, AcDbEntity)

namespace {

arx::Point flat(const AcGePoint3d& p) { return {p.x, p.y}; }
AcGePoint3d solid(arx::Point p) { return {p.x, p.y, 0.0}; }
double normalizedAngle(double a) {
  const double twoPi = 2.0 * std::acos(-1.0);
  a = std::fmod(a, twoPi);
  return a < 0.0 ? a + twoPi : a;
}

}  // namespace

// Each setter changes the shape only when the entity may be written.
#define SHAPE(TYPE) std::get<arx::TYPE>(m_shape)
#define WRITE_SHAPE(TYPE, STATEMENT)                            \
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;     \
  auto& s = SHAPE(TYPE);                                        \
  STATEMENT;                                                    \
  return Acad::eOk

// --- line ----------------------------------------------------------------------------

AcDbLine::AcDbLine() { m_shape = arx::LineShape{}; }
AcDbLine::AcDbLine(const AcGePoint3d& a, const AcGePoint3d& b) { m_shape = arx::LineShape{flat(a), flat(b)}; }
AcGePoint3d AcDbLine::startPoint() const { return solid(SHAPE(LineShape).start); }
AcGePoint3d AcDbLine::endPoint() const { return solid(SHAPE(LineShape).end); }
Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) { WRITE_SHAPE(LineShape, s.start = flat(p)); }
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) { WRITE_SHAPE(LineShape, s.end = flat(p)); }

// --- polyline --------------------------------------------------------------------------

AcDbPolyline::AcDbPolyline() { m_shape = arx::PolylineShape{}; }
unsigned int AcDbPolyline::numVerts() const { return static_cast<unsigned>(SHAPE(PolylineShape).vertices.size()); }

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge, double, double) {
  if (index > numVerts()) return Acad::eInvalidIndex;
  WRITE_SHAPE(PolylineShape, s.vertices.insert(s.vertices.begin() + index, {{pt.x, pt.y}, bulge}));
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index) {
  if (index >= numVerts()) return Acad::eInvalidIndex;
  WRITE_SHAPE(PolylineShape, s.vertices.erase(s.vertices.begin() + index));
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const {
  if (index >= numVerts()) return Acad::eInvalidIndex;
  const arx::Point p = SHAPE(PolylineShape).vertices[index].point;
  pt = {p.x, p.y};
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const {
  AcGePoint2d p;
  Acad::ErrorStatus es = getPointAt(index, p);
  if (es == Acad::eOk) pt = {p.x, p.y, 0.0};
  return es;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
  if (index >= numVerts()) return Acad::eInvalidIndex;
  bulge = SHAPE(PolylineShape).vertices[index].bulge;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
  if (index >= numVerts()) return Acad::eInvalidIndex;
  WRITE_SHAPE(PolylineShape, s.vertices[index].bulge = bulge);
}

bool AcDbPolyline::isClosed() const { return SHAPE(PolylineShape).closed; }
void AcDbPolyline::setClosed(bool closed) {
  if (assertWriteEnabled()) SHAPE(PolylineShape).closed = closed;
}

// --- circle and arc ----------------------------------------------------------------------

AcDbCircle::AcDbCircle() { m_shape = arx::CircleShape{}; }
AcDbCircle::AcDbCircle(const AcGePoint3d& c, const AcGeVector3d&, double r) { m_shape = arx::CircleShape{flat(c), r}; }
AcGePoint3d AcDbCircle::center() const { return solid(SHAPE(CircleShape).center); }
double AcDbCircle::radius() const { return SHAPE(CircleShape).radius; }
Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& p) { WRITE_SHAPE(CircleShape, s.center = flat(p)); }
Acad::ErrorStatus AcDbCircle::setRadius(double r) {
  if (!(r > 0.0)) return Acad::eInvalidInput;
  WRITE_SHAPE(CircleShape, s.radius = r);
}

AcDbArc::AcDbArc() { m_shape = arx::ArcShape{}; }
AcDbArc::AcDbArc(const AcGePoint3d& c, double r, double a, double b) {
  m_shape = arx::ArcShape{flat(c), r, normalizedAngle(a), normalizedAngle(b)};
}
AcGePoint3d AcDbArc::center() const { return solid(SHAPE(ArcShape).center); }
double AcDbArc::radius() const { return SHAPE(ArcShape).radius; }
double AcDbArc::startAngle() const { return SHAPE(ArcShape).startAngle; }
double AcDbArc::endAngle() const { return SHAPE(ArcShape).endAngle; }
Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& p) { WRITE_SHAPE(ArcShape, s.center = flat(p)); }
Acad::ErrorStatus AcDbArc::setRadius(double r) {
  if (!(r > 0.0)) return Acad::eInvalidInput;
  WRITE_SHAPE(ArcShape, s.radius = r);
}
Acad::ErrorStatus AcDbArc::setStartAngle(double a) { WRITE_SHAPE(ArcShape, s.startAngle = normalizedAngle(a)); }
Acad::ErrorStatus AcDbArc::setEndAngle(double a) { WRITE_SHAPE(ArcShape, s.endAngle = normalizedAngle(a)); }

// --- text ------------------------------------------------------------------------------

AcDbText::AcDbText() { m_shape = arx::TextShape{}; }
AcDbText::AcDbText(const AcGePoint3d& p, const ACHAR* text, AcDbObjectId, double height, double rotation) {
  m_shape = arx::TextShape{flat(p), height > 0.0 ? height : 2.5, rotation, text ? text : ""};
}
AcGePoint3d AcDbText::position() const { return solid(SHAPE(TextShape).position); }
double AcDbText::height() const { return SHAPE(TextShape).height; }
double AcDbText::rotation() const { return SHAPE(TextShape).rotation; }
const ACHAR* AcDbText::textStringConst() const { return SHAPE(TextShape).text.c_str(); }
ACHAR* AcDbText::textString() const { return arx::newString(SHAPE(TextShape).text); }
Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) { WRITE_SHAPE(TextShape, s.position = flat(p)); }
Acad::ErrorStatus AcDbText::setHeight(double h) {
  if (!(h > 0.0)) return Acad::eInvalidInput;
  WRITE_SHAPE(TextShape, s.height = h);
}
Acad::ErrorStatus AcDbText::setRotation(double r) { WRITE_SHAPE(TextShape, s.rotation = r); }
Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
  if (!text) return Acad::eInvalidInput;
  WRITE_SHAPE(TextShape, s.text = text);
}

// --- kept entities -------------------------------------------------------------------

ACRX_DEFINE_MEMBERS(AcDbProxyEntity, AcDbEntity)

AcDbProxyEntity::AcDbProxyEntity(const char* dxfName) { m_shape = arx::KeptShape{dxfName ? dxfName : ""}; }
const ACHAR* AcDbProxyEntity::originalDxfName() const { return SHAPE(KeptShape).type.c_str(); }
