#pragma once
// Changing the active layout's page setup: the page setup dialog and the
// host's script command.
#include <string>

namespace arx {

// The page setup dialog of the active layout, answered through the UI driver
// (target "pagesetup"). True when the user confirmed with OK; the page setup
// then holds the choices.
bool runPageSetupDialog();

// The script command:
//   PAGESETUP [device="NAME"] [media="NAME"] [type=display|extents|limits|view|window|layout]
//             [window=X1,Y1,X2,Y2]
// Words may come in any order; what is not given stays as it was. NAME is a
// device of the catalogue and one of its media (canonical or locale name);
// a new device without a medium takes its first one. The window is in
// display coordinates. False with `error` set (and nothing changed) on a
// malformed word, an unknown device or medium, or an empty window.
bool runPageSetupCommand(const std::string& arguments, std::string& error);

}  // namespace arx

class AcDbDatabase;
class AcDbObjectId;

namespace arx {

// The id of the model layout of `db` (made on first use, in the named
// objects dictionary under "ACAD_LAYOUT"); null when it cannot be had.
AcDbObjectId modelLayoutId(AcDbDatabase& db);

// Test controls: take the layout manager or the plot-settings validator away
// from the host application services (both present by default).
void setLayoutServicesAvailable(bool layoutManager, bool validator);

}  // namespace arx
