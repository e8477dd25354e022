#pragma once
// Stand-in extra: gives a command target its automation interface, as a
// program's EnableAutomation and dispatch map would.
#include <afxwin.h>

namespace mfc {

// Hands `dispatch` to `target` (which takes over the caller's reference and
// releases a previous one); GetIDispatch returns it from then on. Null removes it.
void SetAutomationObject(CCmdTarget& target, LPDISPATCH dispatch);

}  // namespace mfc
