#pragma once
// Selection sets as the editor keeps them.
#include <vector>

#include "adslib.h"
#include "dbid.h"

namespace arx {

// The members of an open selection set, or nullptr when `ss` names none.
const std::vector<AcDbObjectId>* selectionMembers(const ads_name ss);

}  // namespace arx
