#pragma once
// A layout: a named sheet with its plot settings. The model layout is "Model".
#include "dbplotsettings.h"

class AcDbLayout : public AcDbPlotSettings {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLayout)
  AcDbLayout() = default;

  Acad::ErrorStatus getLayoutName(const ACHAR*& name) const;
  // The block table record the layout shows: "*Model_Space" for "Model".
  AcDbObjectId getBlockTableRecordId() const;
};

// The layouts of a database.
class AcDbLayoutManager {
 public:
  virtual ~AcDbLayoutManager() = default;
  // Name of the active layout ("Model" when model space is active and
  // `allowModel`); null when there is none. Valid until the next call.
  virtual const ACHAR* findActiveLayout(bool allowModel);
  // The layout of that name (case-insensitive) in the working drawing, open
  // for read when `leaveRecordOpen`, else closed; null when there is none.
  virtual AcDbLayout* findLayoutNamed(const ACHAR* name, bool leaveRecordOpen = false);
  // The same, opened in `mode`.
  virtual Acad::ErrorStatus getLayoutNamed(const ACHAR* name, AcDbLayout*& layout,
                                           AcDb::OpenMode mode = AcDb::kForRead);
  virtual AcDbObjectId findLayoutId(const ACHAR* name);
};
