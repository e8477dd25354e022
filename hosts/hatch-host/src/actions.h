#pragma once
// What the host does for each action code between two calls of DoSchraff.
#include "record_text.h"

namespace hatchhost {

// Carries out `record.Action` on the host's side and updates the record.
void CarryOut(HostRecord& host);

// The pattern check of action 8: a name of the host's pattern list (any
// letter case) is accepted and becomes the custom pattern; false when the
// name is unknown (the user is told).
bool CheckPatternName(HostRecord& host);

}  // namespace hatchhost
