#pragma once
// Entities of classes the editor does not implement: it keeps their data as
// the drawing file holds it, shows and plots them, and writes them back.
#include "dbmain.h"

class AcDbProxyEntity : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbProxyEntity)
  // `dxfName` is the entity's type in the drawing file ("INSERT", "HATCH", ...).
  explicit AcDbProxyEntity(const char* dxfName = "");
  // The type in the drawing file; owned by the entity.
  const ACHAR* originalDxfName() const;
};
