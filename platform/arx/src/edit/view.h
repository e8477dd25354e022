#pragma once
// Conversion between world and display coordinates of the current view.
#include "arx/drawing.h"

namespace arx {

Point worldToDisplay(const View& view, Point world);
Point displayToWorld(const View& view, Point display);

}  // namespace arx
