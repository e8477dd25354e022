#pragma once
// The editor's automation objects, as the host hands them out.
#include <string>

#include "acadi.h"

namespace arx {

// The application object's dispatch interface, with a reference added.
IDispatch* applicationDispatch();

// Test controls: make one step of the automation chain fail until cleared.
enum class AutomationFault { None, NoApplicationInterface, NoActiveDocument, NoPlotObject };
void setAutomationFault(AutomationFault fault);

// References held on the editor's automation objects right now (for checking
// that a client releases what it took).
long automationReferences();

}  // namespace arx
