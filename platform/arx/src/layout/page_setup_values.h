#pragma once
// One change of a page setup, by name and text value, checked against the
// device catalogue. Shared by the page setup dialog and the script command.
#include <string>

#include "arx/drawing.h"

namespace arx::layout {

// `key` is "device", "media", "type" or "window". False with `error` set when
// the key or value is not valid; `setup` is then unchanged.
bool applyPageSetupValue(PageSetup& setup, const std::string& key, const std::string& value, std::string& error);

// "window", "extents", ... for a plot type.
std::string plotTypeName(PlotType type);
// "x1,y1,x2,y2" of the window.
std::string windowText(const PageSetup& setup);

}  // namespace arx::layout
