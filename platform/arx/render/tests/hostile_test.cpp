// Hostile entities: missing or malformed groups, absurd counts, endless
// nesting, huge coordinates. Each must end, draw what makes sense and keep
// memory to what the tags hold.
#include <gtest/gtest.h>

#include "render_fixture.h"

namespace arx::render::testing {
namespace {

const char* kTypes[] = {"LINE", "XLINE", "RAY", "POINT", "CIRCLE", "ARC", "ELLIPSE", "SPLINE", "LWPOLYLINE",
                        "POLYLINE", "SOLID", "TRACE", "3DFACE", "TEXT", "ATTRIB", "ATTDEF", "MTEXT", "INSERT",
                        "DIMENSION", "ACAD_TABLE", "LEADER", "MULTILEADER", "HATCH", "WIPEOUT", "IMAGE", "UNKNOWN"};

TEST(Hostile, EveryTypeWithoutGroupsOrWithJunk) {
  const std::vector<std::string> groupSets = {
      "",
      "8 0|10 abc|20 |40 x|41 -|42 1e999|50 nan|51 inf|70 z|71 -5|72 99|73 1e30|90 -1|91 x",
      "8 0|10 nan|20 inf|30 -inf|11 nan|21 nan|40 nan|41 nan|42 nan|43 nan|50 nan|210 nan|220 nan|230 nan",
      "8 0|10 1e308|20 -1e308|11 -1e308|21 1e308|40 1e308|41 1e308|42 1e308|43 1e308|44 1e308|45 1e308|210 0|220 0|230 0",
      "8 0|71 2000000000|72 2000000000|73 2000000000|74 2000000000|90 2000000000|91 2000000000|"
      "92 2000000000|93 2000000000|76 2000000000|78 2000000000|79 2000000000|10 1|20 1|10 2|20 2",
  };
  for (const char* type : kTypes)
    for (const std::string& groups : groupSets) {
      SCOPED_TRACE(std::string(type) + " with " + groups);
      Page page({"", "", "", std::string("0 ") + type + "|" + groups});
      TagDrawing d;
      ASSERT_TRUE(d.load(dxfFile({"", "", "", std::string("0 ") + type + "|" + groups})));
      entityExtents(d, d.entities().at(0));
      entityCrosses(d, d.entities().at(0), Box{0, 0, 10, 10});
    }
}

// Header and table numbers beyond every range the tables keep (the fuzzer's
// first finding: $PDMODE -1e20).
TEST(Hostile, TableNumbersOutOfRange) {
  const std::string header = "9 $PDMODE|70 -1e20|9 $PDSIZE|40 1e308|9 $LTSCALE|40 -1e308";
  const std::string tables =
      "0 TABLE|2 LAYER|0 LAYER|2 0|62 -9223372036854775808|420 99999999999|370 -9999999999|0 ENDTAB|"
      "0 TABLE|2 STYLE|0 STYLE|2 STANDARD|71 9999999999|0 ENDTAB";
  for (const char* entity : {"0 POINT|8 0|10 5|20 5", "0 LINE|8 0|62 -9223372036854775808|10 0|20 0|11 9|21 9",
                             "0 TEXT|8 0|10 5|20 5|40 2|1 x"}) {
    SCOPED_TRACE(entity);
    Page page({header, tables, "", entity});
    TagDrawing d;
    ASSERT_TRUE(d.load(dxfFile({header, tables, "", entity})));
    entityExtents(d, d.entities().at(0));
  }
}

TEST(Hostile, BlockThatInsertsItselfEnds) {
  const std::string blocks =
      "0 BLOCK|2 SELF|70 0|10 0|20 0|30 0|0 LINE|8 0|10 0|20 0|11 10|21 0|"
      "0 INSERT|8 0|2 SELF|10 1|20 1|0 INSERT|8 0|2 SELF|10 2|20 2|0 ENDBLK";
  Page page({"", "", blocks, "0 INSERT|8 0|2 SELF|10 20|20 20.5"});
  EXPECT_TRUE(page.inkNear(25, 20.5));
  TagDrawing d;
  ASSERT_TRUE(d.load(dxfFile({"", "", blocks, "0 INSERT|8 0|2 SELF|10 20|20 20.5"})));
  EXPECT_TRUE(entityExtents(d, d.entities().at(0)));
}

TEST(Hostile, HugeArraysEndWithBoundedWork) {
  const std::string blocks = "0 BLOCK|2 DOT|70 0|10 0|20 0|30 0|0 LINE|8 0|10 0|20 0|11 0.5|21 0|0 ENDBLK";
  for (const char* insert : {"0 INSERT|8 0|2 DOT|10 0|20 0|70 1000000000|71 1000000000|44 1|45 1",
                             "0 INSERT|8 0|2 DOT|10 0|20 0|70 1000000000|71 1000000000|44 0.0001|45 0.0001",
                             "0 INSERT|8 0|2 DOT|10 0|20 0|70 1000000000|71 1000000000|44 1e300|45 1e300"}) {
    SCOPED_TRACE(insert);
    Page page({"", "", blocks, insert});
    TagDrawing d;
    ASSERT_TRUE(d.load(dxfFile({"", "", blocks, insert})));
    entityExtents(d, d.entities().at(0));
    entityCrosses(d, d.entities().at(0), Box{-5, -5, -1, -1});
  }
}

TEST(Hostile, HugeKnotVectorsAndDegrees) {
  std::string knots;
  for (int i = 0; i < 20000; ++i) knots += "|40 " + std::to_string(i);
  for (const std::string& spline : std::vector<std::string>{
           "0 SPLINE|8 0|71 3|72 20000|73 3" + knots + "|10 10|20 10|10 50|20 90|10 90|20 10",
        "0 SPLINE|8 0|71 1000000000|10 10|20 10|10 50|20 90|10 90|20 10",
        "0 SPLINE|8 0|71 3|40 5|40 4|40 3|40 2|40 1|40 0|40 -1|10 10|20 10|10 50|20 90|10 90|20 10",
        "0 SPLINE|8 0|71 3|41 0|41 0|41 0|10 10|20 10|10 50|20 90|10 90|20 10"}) {
    SCOPED_TRACE(spline.substr(0, 60));
    Page page({"", "", "", spline});
  }
}

TEST(Hostile, HugeCoordinatesStillPlotWhatLiesOnThePage) {
  struct Case {
    const char* name;
    std::string entity;
    double x, y;  // ink expected here
  };
  const std::vector<Case> cases = {
      {"a line from -1e300 to 1e300", "0 LINE|8 0|10 -1e300|20 50.5|11 1e300|21 50.5", 50, 50.5},
      {"a circle of radius 1e12 touching the page", "0 CIRCLE|8 0|10 50|20 -999999999950|40 1e12", 50, 50},
      {"an arc of radius 1e9 through the page", "0 ARC|8 0|10 -999999950|20 50|40 1e9|50 -1|51 1", 50, 50},
      {"an ellipse of 1e10 through the page", "0 ELLIPSE|8 0|10 50|20 -9999999950|11 1e10|21 0|40 1|41 0|42 6.283185307", 50, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Page page({"", "", "", c.entity});
    EXPECT_TRUE(page.inkNear(c.x, c.y, 2));
  }
}

TEST(Hostile, DenseOrEndlessPatternsAndTexts) {
  const char* square = "91 1|92 3|72 0|73 1|93 4|10 10|20 10|10 90|20 10|10 90|20 90|10 10|20 90|97 0";
  // Lines 1e-9 apart look solid; a pattern with a million dashes per unit ends.
  Page dense({"", "", "", std::string("0 HATCH|8 0|2 U|70 0|71 0|") + square +
                              "|75 0|76 0|52 0|41 1|77 0|78 1|53 0|43 0|44 0|45 0|46 1e-9|79 0"});
  EXPECT_TRUE(dense.inkNear(50, 50));
  Page dashes({"", "", "", std::string("0 HATCH|8 0|2 U|70 0|71 0|") + square +
                               "|75 0|76 0|52 0|41 1|77 0|78 1|53 0|43 0|44 0|45 0|46 10|79 2|49 1e-7|49 -1e-7"});
  Page sparse({"", "", "", std::string("0 HATCH|8 0|2 U|70 0|71 0|") + square +
                               "|75 0|76 0|52 0|41 1|77 0|78 1|53 0|43 0|44 0|45 0|46 1e300|79 0"});
  std::string text(100000, '{');
  Page braces({"", "", "", "0 MTEXT|8 0|10 0|20 50|40 5|1 " + text + "\\H|3 \\S|1 \\f"});
  Page huge({"", "", "", "0 TEXT|8 0|10 0|20 50|40 1e300|1 HHH"});
  Page tiny({"", "", "", "0 MTEXT|8 0|10 0|20 50|40 1e-300|41 1e-300|1 A B C D E F G"});
  EXPECT_EQ(huge.inkCount(), 0);
}

TEST(Hostile, VertexCountsAreNotTrusted) {
  // Claimed counts of 2e9 with two vertices allocate and draw only those two.
  Page page({"", "", "", "0 LWPOLYLINE|8 0|90 2000000000|70 0|10 10|20 50.5|10 90|20 50.5"});
  EXPECT_TRUE(page.inkNear(50, 50.5));
  Page leader({"", "", "", "0 LEADER|8 0|76 2000000000|10 10|20 50.5|10 90|20 50.5"});
  EXPECT_TRUE(leader.inkNear(50, 50.5));
  Page mesh({"", "", "", "0 POLYLINE|8 0|66 1|70 16|71 2000000000|72 2000000000|0 VERTEX|8 0|10 1|20 1|70 64|0 SEQEND"});
  EXPECT_EQ(mesh.inkCount(), 0);
}

}  // namespace
}  // namespace arx::render::testing
