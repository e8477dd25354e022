#pragma once
// The world file beside the plot base path, which places the picture in
// other programs.
#include <gevec2d.h>

#include <string>

#include "plot/plot_window.h"

// The world file extension of a plot file type: the type without its second
// character, plus "w" ("tif" -> "tfw", "png" -> "pgw", "eps" -> "esw").
std::string worldFileExtension(const std::string& plotFileType);

// Writes "%s.%s" (basePath, worldExtension), replacing a file of that name:
// the pixel size, two zero rotation terms, the negated pixel size, and the
// centre of the upper-left pixel of the picture whose extents are `extents`.
// Lines end in CR LF. False, with nothing written, when the file cannot be created.
bool writeWorldFile(const std::string& basePath, const std::string& worldExtension, const PlotWindow& extents,
                    const AcGeVector2d& pixelSize);
