#pragma once
// The drawing entities: line, lightweight polyline, circle, arc and text.
#include "dbmain.h"
#include "gepnt2d.h"
#include "gepnt3d.h"

class AcDbLine : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLine)
  AcDbLine();
  AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
  AcGePoint3d startPoint() const;
  AcGePoint3d endPoint() const;
  Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
  Acad::ErrorStatus setEndPoint(const AcGePoint3d& p);
};

class AcDbPolyline : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPolyline)
  AcDbPolyline();
  unsigned int numVerts() const;
  Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.0,
                                double startWidth = -1.0, double endWidth = -1.0);
  Acad::ErrorStatus removeVertexAt(unsigned int index);
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& pt) const;
  Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
  Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
  bool isClosed() const;
  void setClosed(bool closed);
};

class AcDbCircle : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbCircle)
  AcDbCircle();
  AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
  AcGePoint3d center() const;
  double radius() const;
  Acad::ErrorStatus setCenter(const AcGePoint3d& p);
  Acad::ErrorStatus setRadius(double r);
};

class AcDbArc : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbArc)
  AcDbArc();
  AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle);
  AcGePoint3d center() const;
  double radius() const;
  double startAngle() const;
  double endAngle() const;
  Acad::ErrorStatus setCenter(const AcGePoint3d& p);
  Acad::ErrorStatus setRadius(double r);
  Acad::ErrorStatus setStartAngle(double a);
  Acad::ErrorStatus setEndAngle(double a);
};

class AcDbText : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbText)
  AcDbText();
  AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId::kNull,
           double height = 0.0, double rotation = 0.0);
  AcGePoint3d position() const;
  double height() const;
  double rotation() const;
  const ACHAR* textStringConst() const;
  ACHAR* textString() const;  // new[] copy
  Acad::ErrorStatus setPosition(const AcGePoint3d& p);
  Acad::ErrorStatus setHeight(double h);
  Acad::ErrorStatus setRotation(double r);
  Acad::ErrorStatus setTextString(const ACHAR* text);
};
