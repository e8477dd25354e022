// Colours, layers, linetypes, lineweights and transparency as plotted.
#include <gtest/gtest.h>

#include "arx/render/aci.h"
#include "render_fixture.h"

namespace arx::render::testing {
namespace {

const char* kLayers =
    "0 TABLE|2 LAYER|0 LAYER|2 0|70 0|62 7|6 CONTINUOUS|0 LAYER|2 BLUE|70 0|62 5|6 CONTINUOUS|"
    "0 LAYER|2 TRUE|70 0|62 1|420 65280|6 CONTINUOUS|0 LAYER|2 OFF|70 0|62 -1|6 CONTINUOUS|"
    "0 LAYER|2 FROZEN|70 1|62 1|6 CONTINUOUS|0 LAYER|2 NOPLOT|70 0|62 1|6 CONTINUOUS|290 0|"
    "0 LAYER|2 DASHES|70 0|62 7|6 DASHED|0 LAYER|2 HEAVY|70 0|62 7|6 CONTINUOUS|370 100|0 ENDTAB|"
    "0 TABLE|2 LTYPE|0 LTYPE|2 CONTINUOUS|73 0|0 LTYPE|2 DASHED|73 2|40 10|49 5|49 -5|0 ENDTAB";

// A line through the middle of a pixel row.
std::string line(const std::string& groups) { return "0 LINE|10 0|20 50.5|11 100|21 50.5|" + groups; }

struct ColourCase {
  const char* name;
  std::string groups;
  int colour;  // 0xRRGGBB at the line, -1: nothing drawn
};

TEST(Properties, ColoursAndLayers) {
  const std::vector<ColourCase> cases = {
      {"index 7 plots black on the white page", "8 0|62 7", 0x000000},
      {"index 1 is red", "8 0|62 1", 0xff0000},
      {"index 3 is green", "8 0|62 3", 0x00ff00},
      {"index 30 from the table", "8 0|62 30", 0xff7f00},
      {"true colour over the index", "8 0|62 1|420 255", 0x0000ff},
      {"BYLAYER takes the layer's index", "8 BLUE|62 256", 0x0000ff},
      {"no colour is BYLAYER", "8 BLUE", 0x0000ff},
      {"BYLAYER takes the layer's true colour", "8 TRUE", 0x00ff00},
      {"BYBLOCK at the top plots black", "8 BLUE|62 0", 0x000000},
      {"a layer that is off is not plotted", "8 OFF", -1},
      {"a frozen layer is not plotted", "8 FROZEN", -1},
      {"a layer that does not plot is left out", "8 NOPLOT", -1},
      {"an invisible entity is not plotted", "8 0|60 1", -1},
      {"an unknown layer plots as layer 0 would", "8 NOWHERE|62 1", 0xff0000},
  };
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(c.name);
    Page page({"", kLayers, "", line(c.groups)});
    if (c.colour < 0) EXPECT_EQ(page.inkCount(), 0);
    else EXPECT_EQ(page.colourAt(50, 50.5), static_cast<unsigned>(c.colour));
  }
}

TEST(Properties, AciTableKnowsItsCorners) {
  EXPECT_EQ(aciRgb(1), 0x0000ff);  // red as 0xBBGGRR
  EXPECT_EQ(aciRgb(5), 0xff0000);
  EXPECT_EQ(aciRgb(250), 0x333333);
  EXPECT_EQ(aciRgb(256), -1);
  EXPECT_EQ(aciRgb(-1), -1);
}

// Ink along the line y = 50 in steps of one unit: which x positions are dashes.
std::string dashPattern(const Page& page, int from, int to) {
  std::string out;
  for (int x = from; x < to; ++x) out += page.colourAt(x + 0.5, 50.5) != 0xffffff ? '#' : '.';
  return out;
}

TEST(Properties, LinetypeDashesScaleWithLtscaleAndTheEntity) {
  struct Case {
    const char* name;
    std::string header, groups, pattern;  // pattern of x 0..19
  };
  const std::vector<Case> cases = {
      {"the layer's linetype", "", "8 DASHES", "#####.....#####....."},
      {"$LTSCALE doubles the dashes", "9 $LTSCALE|40 2", "8 DASHES", "##########.........."},
      {"the entity's scale multiplies", "9 $LTSCALE|40 0.5", "8 0|6 DASHED|48 2", "#####.....#####....."},
      {"CONTINUOUS overrides the layer", "", "8 DASHES|6 CONTINUOUS", "####################"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Page page({c.header, kLayers, "", line(c.groups)});
    EXPECT_EQ(dashPattern(page, 0, 20), c.pattern);
  }
}

TEST(Properties, LineweightsInMillimetresAtThePlotResolution) {
  struct Case {
    const char* name;
    std::string groups;
    int pixels;  // rows of ink across the line
  };
  RenderOptions fivePerMm;
  fivePerMm.pixelsPerMm = 5;
  const std::vector<Case> cases = {
      {"1.00 mm is five pixels", "8 0|370 100", 5},
      {"the layer's lineweight", "8 HEAVY", 5},
      {"2.00 mm is ten pixels", "8 0|370 200", 10},
      {"the default lineweight, 0.25 mm, is about a pixel", "8 0", 1},
      {"lineweight 0 is the thinnest line", "8 0|370 0", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Page page({"", kLayers, "", line(c.groups)}, fivePerMm);
    int rows = 0;
    for (int y = 0; y < Page::kSize; ++y) rows += page.colourAt(50, y + 0.5) != 0xffffff;
    EXPECT_NEAR(rows, c.pixels, 1);
  }
}

TEST(Properties, TransparencyBlendsWithThePage) {
  Page page({"", kLayers, "", line("8 0|62 5|440 33554560")});  // 0x02000080: alpha 128
  const unsigned c = page.colourAt(50, 50.5);
  EXPECT_NEAR(static_cast<int>(c >> 16), 127, 2);  // half-way from white to blue
  EXPECT_EQ(c & 0xff, 0xffu);
}

}  // namespace
}  // namespace arx::render::testing
