#pragma once
// What the renderer asks of the drawing besides the entity it draws: table
// entries by name, blocks, header variables and pictures. The document
// implements this; names are matched without regard to case, as the drawing
// editor does. Texts are UTF-8 (the document decodes $DWGCODEPAGE).
#include <cairo.h>

#include <string>
#include <string_view>
#include <vector>

#include "arx/render/tags.h"

namespace arx::render {

struct LayerInfo {
  int colour = 7;            // ACI 1..255 (group 62; negative in the table means off)
  int trueColour = -1;       // 0xRRGGBB (group 420), -1 when none
  std::string linetype = "CONTINUOUS";
  int lineweight = -3;       // hundredths of a millimetre; -3 the default lineweight
  double transparency = 0;   // 0 opaque .. 1 invisible
  bool on = true, frozen = false, plottable = true;
};

struct LinetypeInfo {
  // Group 49 of the LTYPE entry: > 0 a dash, < 0 a gap, 0 a dot, in drawing units.
  std::vector<double> dashes;
};

struct TextStyleInfo {
  std::string fontFile;      // group 3: "arial.ttf", "txt", "romans.shx", ...
  std::string family;        // the TrueType family named in the style's ACAD extended data, if any
  bool bold = false, italic = false;
  double height = 0;         // fixed height, 0 when the text gives it
  double widthFactor = 1;
  double obliqueDegrees = 0;
  int generation = 0;        // 2 backwards, 4 upside down
};

struct BlockInfo {
  double base[3] = {0, 0, 0};  // group 10/20/30 of BLOCK
  Tags entities;               // the tags between BLOCK and ENDBLK (entities only)
};

struct DimStyleInfo {
  double arrowSize = 0.18;  // DIMASZ
  double scale = 1;         // DIMSCALE
};

struct HeaderInfo {
  double ltscale = 1;          // $LTSCALE
  int pdmode = 0;              // $PDMODE
  double pdsize = 0;           // $PDSIZE
  int defaultLineweight = 25;  // the editor's default lineweight (LWDEFAULT), hundredths of a mm: what -3 means
  double dimasz = 0.18;        // $DIMASZ
  double dimscale = 1;         // $DIMSCALE
};

class DrawingTables {
 public:
  virtual ~DrawingTables() = default;
  // Null when the drawing has no such entry.
  virtual const LayerInfo* layer(std::string_view name) const = 0;
  virtual const LinetypeInfo* linetype(std::string_view name) const = 0;
  virtual const TextStyleInfo* textStyle(std::string_view name) const = 0;
  virtual const BlockInfo* block(std::string_view name) const = 0;
  virtual const HeaderInfo& header() const = 0;
  virtual const DimStyleInfo* dimStyle(std::string_view /*name*/) const { return nullptr; }
  // Entries that entities name by handle (MULTILEADER: text style 340, block 344).
  virtual const TextStyleInfo* textStyleByHandle(std::string_view /*handle*/) const { return nullptr; }
  virtual const BlockInfo* blockByHandle(std::string_view /*handle*/) const { return nullptr; }
  // The picture of an IMAGE, by the handle of its IMAGEDEF (group 340), with
  // its alpha kept when the image shows transparency, else laid on white;
  // null when there is none (the frame is drawn). The tables keep ownership.
  virtual cairo_surface_t* picture(std::string_view /*imageDefHandle*/, bool /*transparent*/) const { return nullptr; }
};

}  // namespace arx::render
