#include "acaplmgr.h"
#include "arx/pagesetup.h"
#include "dbplotsetval.h"

namespace {

bool layoutManagerAvailable = true;
bool validatorAvailable = true;

}  // namespace

namespace arx {

void setLayoutServicesAvailable(bool layoutManager, bool validator) {
  layoutManagerAvailable = layoutManager;
  validatorAvailable = validator;
}

}  // namespace arx

AcDbLayoutManager* AcDbHostApplicationServices::layoutManager() const {
  static AcApLayoutManager manager;
  return layoutManagerAvailable ? &manager : nullptr;
}

AcDbPlotSettingsValidator* AcDbHostApplicationServices::plotSettingsValidator() const {
  static AcDbPlotSettingsValidator validator;
  return validatorAvailable ? &validator : nullptr;
}
