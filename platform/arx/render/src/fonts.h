#pragma once
// Fonts of text styles: the TrueType family a style names, matched through
// fontconfig to an installed font (Arial -> Liberation Sans, ...); SHX fonts
// get a sans-serif substitute of similar metrics. Measured with cairo.
#include <string>
#include <string_view>

#include "arx/render/drawing_tables.h"

namespace arx::render {

struct Font {
  std::string family;  // an installed family, for cairo
  bool bold = false, italic = false;
  double capHeight = 0.7;  // of the em
  double ascent = 0.9, descent = 0.2;
};

// The installed family fontconfig matches for `requested` (cached).
std::string installedFamily(std::string_view requested);
// The font of a text style (null: the standard style).
Font styleFont(const TextStyleInfo* style);
// The font of an MTEXT \f code: family name, bold, italic.
Font familyFont(std::string_view family, bool bold, bool italic);
// Advance of the UTF-8 text in em units.
double advanceOf(const Font& font, std::string_view utf8);

}  // namespace arx::render
