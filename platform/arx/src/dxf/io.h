#pragma once
// DXF reading and writing of whole drawings (dxflib stays inside src/dxf).
#include <string>

#include "arx/drawing.h"

namespace arx::dxf {

FileResult readText(const std::string& text, AcDbDatabase& db);
FileResult writeText(const AcDbDatabase& db, std::string& text);

}  // namespace arx::dxf
