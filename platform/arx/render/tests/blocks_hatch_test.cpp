// Block references (nesting, arrays, inherited properties) and hatches.
#include <gtest/gtest.h>

#include "render_fixture.h"

namespace arx::render::testing {
namespace {

const char* kLayers =
    "0 TABLE|2 LAYER|0 LAYER|2 0|70 0|62 7|6 CONTINUOUS|0 LAYER|2 RED|70 0|62 1|6 CONTINUOUS|"
    "0 LAYER|2 OFF|70 0|62 -3|6 CONTINUOUS|0 LAYER|2 GREEN|70 0|62 3|6 CONTINUOUS|0 ENDTAB|"
    "0 TABLE|2 LTYPE|0 LTYPE|2 DASHED|73 2|40 10|49 5|49 -5|0 ENDTAB";

// A block with a short horizontal line from its base point (5, 0) to (15, 0).
const char* kBar = "0 BLOCK|2 BAR|70 0|10 5|20 0|30 0|0 LINE|8 0|62 0|10 5|20 0|11 15|21 0|0 ENDBLK";

struct BlockCase {
  const char* name;
  std::string blocks, insert;
  std::vector<Probe> probes;
};

TEST(Blocks, ReferencesPlaceTheirBlocks) {
  const std::string bar = kBar;
  const std::vector<BlockCase> cases = {
      {"at its insertion point, base point first", bar, "0 INSERT|8 0|2 BAR|10 20|20 50.5",
       {{25, 50.5, true}, {35, 50.5, false}, {15, 50.5, false}}},
      {"scaled", bar, "0 INSERT|8 0|2 BAR|10 20|20 50.5|41 5|42 5",
       {{65, 50.5, true}, {75, 50.5, false}}},
      {"rotated 90 degrees", bar, "0 INSERT|8 0|2 BAR|10 50.5|20 20|50 90",
       {{50.5, 25, true}, {50.5, 35, false}, {55, 20, false}}},
      {"mirrored by a negative scale", bar, "0 INSERT|8 0|2 BAR|10 50|20 50.5|41 -1",
       {{45, 50.5, true}, {55, 50.5, false}}},
      {"mirrored by a negative extrusion", bar, "0 INSERT|8 0|2 BAR|10 -50|20 50.5|210 0|220 0|230 -1",
       {{45, 50.5, true}, {55, 50.5, false}}},
      {"an array of three columns and two rows", bar, "0 INSERT|8 0|2 BAR|10 10|20 20.5|70 3|71 2|44 30|45 40",
       {{15, 20.5, true}, {45, 20.5, true}, {75, 20.5, true}, {15, 60.5, true}, {75, 60.5, true}, {15, 40.5, false}}},
      {"nested blocks", bar + "|0 BLOCK|2 TWO|70 0|10 0|20 0|30 0|0 INSERT|8 0|2 BAR|10 0|20 0|0 INSERT|8 0|2 BAR|10 0|20 10|0 ENDBLK",
       "0 INSERT|8 0|2 TWO|10 50|20 40.5|41 2|42 2",
       {{55, 40.5, true}, {55, 60.5, true}, {55, 50.5, false}}},
      {"a missing block draws nothing", bar, "0 INSERT|8 0|2 NONE|10 20|20 50.5", {{25, 50.5, false}}},
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(c.name);
    Page page({"", kLayers, c.blocks, c.insert});
    checkProbes(page, c.probes);
  }
}

TEST(Blocks, EntitiesTakeTheReferencesProperties) {
  struct Case {
    const char* name;
    std::string blocks, insert;
    int colour;  // at (25, 50.5); -1 nothing
  };
  const std::string byLayerLine = "0 BLOCK|2 L0|70 0|10 0|20 0|30 0|0 LINE|8 0|10 0|20 0|11 10|21 0|0 ENDBLK";
  const std::string onGreen = "0 BLOCK|2 G|70 0|10 0|20 0|30 0|0 LINE|8 GREEN|10 0|20 0|11 10|21 0|0 ENDBLK";
  const std::string onOff = "0 BLOCK|2 H|70 0|10 0|20 0|30 0|0 LINE|8 OFF|10 0|20 0|11 10|21 0|0 ENDBLK";
  const std::vector<Case> cases = {
      {"BYBLOCK colour takes the reference's colour", kBar, "0 INSERT|8 0|62 5|2 BAR|10 20|20 50.5", 0x0000ff},
      {"BYBLOCK colour of a reference on a layer takes the layer's", kBar, "0 INSERT|8 RED|2 BAR|10 20|20 50.5", 0xff0000},
      {"layer 0 entities take the reference's layer", byLayerLine, "0 INSERT|8 RED|2 L0|10 20|20 50.5", 0xff0000},
      {"entities on their own layer keep it", onGreen, "0 INSERT|8 RED|2 G|10 20|20 50.5", 0x00ff00},
      {"a reference on a layer that is off shows nothing", kBar, "0 INSERT|8 OFF|2 BAR|10 20|20 50.5", -1},
      {"block entities on a layer that is off are not shown", onOff, "0 INSERT|8 0|2 H|10 20|20 50.5", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Page page({"", kLayers, c.blocks, c.insert});
    if (c.colour < 0) EXPECT_EQ(page.inkCount(), 0);
    else EXPECT_EQ(page.colourAt(25, 50.5), static_cast<unsigned>(c.colour));
  }
}

TEST(Blocks, ByBlockLinetypeTakesTheReferences) {
  const std::string block = "0 BLOCK|2 D|70 0|10 0|20 0|30 0|0 LINE|8 0|6 BYBLOCK|10 0|20 0|11 40|21 0|0 ENDBLK";
  Page page({"", kLayers, block, "0 INSERT|8 0|6 DASHED|2 D|10 0|20 50.5"});
  std::string pattern;
  for (int x = 0; x < 20; ++x) pattern += page.colourAt(x + 0.5, 50.5) != 0xffffff ? '#' : '.';
  EXPECT_EQ(pattern, "#####.....#####.....");
}

// A square 10..90 with a square hole 30..70.
const char* kIslandPaths =
    "91 2|92 3|72 0|73 1|93 4|10 10|20 10|10 90|20 10|10 90|20 90|10 10|20 90|97 0|"
    "92 16|93 4|72 1|10 30|20 30|11 70|21 30|72 1|10 70|20 30|11 70|21 70|72 1|10 70|20 70|11 30|21 70|"
    "72 1|10 30|20 70|11 30|21 30|97 0";

TEST(Hatch, SolidFillLeavesItsIslandsOpen) {
  Page page({"", kLayers, "", std::string("0 HATCH|8 0|62 1|10 0|20 0|30 0|210 0|220 0|230 1|2 SOLID|70 1|71 0|") +
                                  kIslandPaths + "|75 0|76 1|98 0"});
  checkProbes(page, {{20, 20, true, 0xff0000}, {80, 50, true, 0xff0000}, {50, 50, false}, {95, 50, false}});
}

TEST(Hatch, BoundaryEdgesOfArcsEllipsesAndSplines) {
  struct Case {
    const char* name;
    std::string path;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {"a full circle arc edge", "91 1|92 1|93 1|72 2|10 50|20 50|40 30|50 0|51 360|73 1|97 0",
       {{50, 50, true}, {50, 75, true}, {85, 50, false}, {75, 75, false}}},
      {"a half disc from a clockwise arc and a line",
       "91 1|92 1|93 2|72 2|10 50|20 50|40 30|50 0|51 180|73 0|72 1|10 20|20 50|11 80|21 50|97 0",
       {{50, 30, true}, {50, 70, false}}},
      {"an ellipse edge", "91 1|92 1|93 1|72 3|10 50|20 50|11 40|21 0|40 0.5|50 0|51 360|73 1|97 0",
       {{80, 50, true}, {50, 65, true}, {50, 75, false}}},
      {"a spline edge closed by a line",
       "91 1|92 1|93 2|72 4|94 3|73 0|74 0|95 8|96 4|40 0|40 0|40 0|40 0|40 1|40 1|40 1|40 1|"
       "10 10|20 20|10 10|20 90|10 90|20 90|10 90|20 20|72 1|10 90|20 20|11 10|21 20|97 0",
       {{50, 50, true}, {50, 85, false}}},
      {"a polyline path with a bulge", "91 1|92 3|72 1|73 1|93 2|10 20|20 50|42 1|10 80|20 50|42 0|97 0",
       {{50, 30, true}, {50, 60, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Page page({"", kLayers, "", "0 HATCH|8 0|10 0|20 0|30 0|2 SOLID|70 1|71 0|" + c.path + "|75 0|76 1|98 0"});
    checkProbes(page, c.probes);
  }
}

TEST(Hatch, PatternLinesRunInsideTheBoundary) {
  // Horizontal lines every 10 units from (0, 5).
  Page page({"", kLayers, "", std::string("0 HATCH|8 0|62 5|10 0|20 0|30 0|2 USER|70 0|71 0|") + kIslandPaths +
                                  "|75 0|76 0|52 0|41 1|77 0|78 1|53 0|43 0|44 5.5|45 0|46 10|79 0|98 0"});
  checkProbes(page, {{20, 15.5, true, 0x0000ff}, {20, 55.5, true, 0x0000ff}, {20, 20.5, false}, {50, 55.5, false},
                     {95, 55.5, false}, {80, 85.5, true}});
}

TEST(Hatch, PatternDashesAndAngle) {
  // Lines at 90 degrees every 20 units, dashes of 5 with gaps of 5.
  Page page({"", kLayers, "", std::string("0 HATCH|8 0|10 0|20 0|30 0|2 USER|70 0|71 0|") +
                                  "91 1|92 3|72 0|73 1|93 4|10 10|20 10|10 90|20 10|10 90|20 90|10 10|20 90|97 0" +
                                  "|75 0|76 0|52 90|41 1|77 0|78 1|53 90|43 20.5|44 0|45 -20|46 0|79 2|49 5|49 -5|98 0"});
  std::string column;
  for (int y = 10; y < 30; ++y) column += page.colourAt(20.5, y + 0.5) != 0xffffff ? '#' : '.';
  EXPECT_EQ(column, "#####.....#####.....");
  EXPECT_FALSE(page.inkNear(30.5, 50, 0));
}

TEST(Hatch, GradientPlotsAsItsFirstColour) {
  Page page({"", kLayers, "", "0 HATCH|8 0|10 0|20 0|30 0|2 SOLID|70 1|71 0|"
                              "91 1|92 3|72 0|73 1|93 4|10 10|20 10|10 90|20 10|10 90|20 90|10 10|20 90|97 0|"
                              "75 0|76 1|98 0|450 1|451 0|452 0|453 2|460 0|461 0|463 0|421 65280|463 1|421 255|470 LINEAR"});
  EXPECT_EQ(page.colourAt(50, 50), 0x00ff00u);
}

}  // namespace
}  // namespace arx::render::testing
