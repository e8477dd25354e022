#pragma once
// The editor's layout manager: the database's layouts plus the editor's dialogs.
// Reached as (AcApLayoutManager*)acdbHostApplicationServices()->layoutManager().
#include "dblayout.h"

class AcApLayoutManager : public AcDbLayoutManager {
 public:
  // Shows the page setup dialog of the layout whose block table record is
  // `layoutBTRId` (null: the active layout). Returns 1 when the user
  // confirmed (the page setup then holds the choices), 0 when cancelled.
  virtual int pageSetup(AcDbObjectId layoutBTRId = AcDbObjectId::kNull, void* pParent = nullptr,
                        Adesk::Boolean isPageSetupDlg = true);
};
