// Drawings read from DXF files, plotted and selected through the drawing
// editor's database: block references, hatches, MTEXT, dimensions and every
// other entity it keeps as the file holds it, and the file's draw order.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "acedads.h"
#include "arx/plot.h"
#include "compact_dxf.h"
#include "drawing_fixture.h"

namespace {

using arx::render::testing::dxfFile;
using arx::render::testing::Sections;
using drawing_test::DrawingTest;
using drawing_test::run;
using ::testing::HasSubstr;

constexpr unsigned kRed = 0xff0000, kGreen = 0x00ff00, kBlue = 0x0000ff, kBlack = 0x000000;

// Layers: TREES green, WATER blue, HIDDEN not plotted, OFF switched off.
const std::string kLayers =
    "0 TABLE|2 LAYER|"
    "0 LAYER|2 0|70 0|62 7|6 CONTINUOUS|"
    "0 LAYER|2 TREES|70 0|62 3|6 CONTINUOUS|"
    "0 LAYER|2 WATER|70 0|62 5|6 CONTINUOUS|"
    "0 LAYER|2 HIDDEN|70 0|62 1|6 CONTINUOUS|290 0|"
    "0 LAYER|2 OFF|70 0|62 -1|6 CONTINUOUS|"
    "0 ENDTAB";

// TREE: a circle of radius 5 about its base point, on layer 0 in the colour
// of the reference; BYBLOCK: a line in the reference's colour; GROVE: two trees.
const std::string kBlocks =
    "0 BLOCK|8 0|2 TREE|70 0|10 0|20 0|0 CIRCLE|8 0|10 0|20 0|40 5|0 ENDBLK|8 0|"
    "0 BLOCK|8 0|2 BYBLOCK|70 0|10 0|20 0|0 LINE|8 0|62 0|10 0|20 0|11 20|21 0|0 ENDBLK|8 0|"
    "0 BLOCK|8 0|2 GROVE|70 0|10 0|20 0|0 INSERT|8 0|2 TREE|10 0|20 0|0 INSERT|8 0|2 TREE|10 10|20 0|"
    "0 ENDBLK|8 0|"
    "0 BLOCK|8 0|2 *D1|70 1|10 0|20 0|0 LINE|8 0|10 10|20 90|11 90|21 90|0 ENDBLK|8 0";

class PlotDrawing : public DrawingTest {
 protected:
  // Opens a drawing of the layers above, `blocks`, `entities` and `objects`,
  // with the plot page below.
  void open(const std::string& blocks, const std::string& entities, const std::string& objects = "") {
    writeText("drawing.dxf", dxfFile(Sections{"", kLayers, blocks, entities, objects}));
    const arx::FileResult opened = arx::openDrawing(path("drawing.dxf"));
    ASSERT_TRUE(opened.ok) << opened.error;
    usePlotPage();
  }
  // A page setup that plots the world square (0,0)-(100,100) on 100 x 100
  // pixels: one pixel a unit.
  void usePlotPage() {
    arx::PageSetup& setup = arx::pageSetup(db());
    setup.plotCfgName = "PublishToWeb PNG.pc3";
    setup.canonicalMediaName = "User_(100.00_x_100.00_Pixels)";
    setup.plotType = arx::PlotType::Window;
    setup.windowMin = {0, 0};
    setup.windowMax = {100, 100};
  }

  arx::PlotPicture plot() {
    const arx::FileResult result = arx::plotLayout(db(), path("plot.png"));
    EXPECT_TRUE(result.ok) << result.error;
    return arx::readPlotPicture(path("plot.png")).value_or(arx::PlotPicture{});
  }

  // 0xRRGGBB of the pixel holding world point (x, y) on the plot.
  static unsigned colourAt(const arx::PlotPicture& pic, int x, int y) {
    const int px = x, py = pic.height - 1 - y;
    if (px < 0 || py < 0 || px >= pic.width || py >= pic.height) return 0xffffff;
    const unsigned char* p = pic.at(px, py);
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
  }
  // Whether a pixel within one of world point (x, y) has `colour`.
  static bool colourNear(const arx::PlotPicture& pic, int x, int y, unsigned colour) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (colourAt(pic, x + dx, y + dy) == colour) return true;
    return false;
  }
  static bool blankNear(const arx::PlotPicture& pic, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (colourAt(pic, x + dx, y + dy) != 0xffffff) return false;
    return true;
  }

  // Handles of the entities a crossing window (x1,y1)-(x2,y2) selects.
  static std::vector<std::string> crossing(double x1, double y1, double x2, double y2) {
    const ads_point a = {x1, y1, 0}, b = {x2, y2, 0};
    ads_name ss;
    std::vector<std::string> handles;
    if (acedSSGet("_C", a, b, nullptr, ss) != RTNORM) return handles;
    long length = 0;
    acedSSLength(ss, &length);
    for (long i = 0; i < length; ++i) {
      ads_name name;
      AcDbObjectId id;
      acedSSName(ss, i, name);
      acdbGetObjectId(id, name);
      char handle[32];
      id.handle().getIntoAsciiBuffer(handle);
      handles.push_back(handle);
    }
    acedSSFree(ss);
    return handles;
  }
};

TEST_F(PlotDrawing, EntitiesKeptAsTheFileHoldsThemArePlotted) {
  struct Point {
    int x, y;
    unsigned colour;  // 0xffffff: nothing there
  };
  struct Case {
    const char* name;
    std::string entities;
    std::vector<Point> points;
  };
  const std::vector<Case> cases = {
      {"a block reference: the content on layer 0 takes the reference's layer",
       "0 INSERT|8 TREES|2 TREE|10 50|20 50", {{55, 50, kGreen}, {45, 50, kGreen}, {50, 50, 0xffffff}}},
      {"nested references, scaled", "0 INSERT|8 WATER|2 GROVE|10 20|20 20|41 2|42 2",
       {{30, 20, kBlue}, {50, 20, kBlue}, {20, 20, 0xffffff}}},
      {"columns and rows of a reference", "0 INSERT|8 TREES|2 TREE|10 20|20 80|70 2|71 2|44 30|45 -40",
       {{25, 80, kGreen}, {55, 80, kGreen}, {25, 40, kGreen}, {55, 40, kGreen}}},
      {"BYBLOCK colour from the reference", "0 INSERT|8 0|62 1|2 BYBLOCK|10 40|20 10", {{50, 10, kRed}}},
      {"a reference on a layer that is not plotted", "0 INSERT|8 HIDDEN|2 TREE|10 50|20 50", {{55, 50, 0xffffff}}},
      {"a solid hatch", "0 HATCH|8 WATER|10 0|20 0|30 0|210 0|220 0|230 1|2 SOLID|70 1|71 0|91 1|92 2|72 0|73 1|93 4|"
                        "10 60|20 60|10 80|20 60|10 80|20 80|10 60|20 80|97 0|75 0|76 1|98 0",
       {{70, 70, kBlue}, {62, 78, kBlue}, {50, 70, 0xffffff}}},
      {"a dimension through its block", "0 DIMENSION|8 WATER|2 *D1|10 0|20 0|70 0", {{50, 90, kBlue}}},
      {"MTEXT below its top-left corner", "0 MTEXT|8 TREES|10 10|20 40|40 10|71 1|1 HHHH",
       {{12, 35, kGreen}, {12, 45, 0xffffff}}},
      {"an ellipse", "0 ELLIPSE|8 WATER|10 50|20 50|11 20|21 0|40 0.5|41 0|42 6.283185307",
       {{70, 50, kBlue}, {50, 60, kBlue}, {50, 70, 0xffffff}}},
      {"a circle mirrored by its extrusion", "0 CIRCLE|8 WATER|10 -30|20 50|40 5|210 0|220 0|230 -1",
       {{35, 50, kBlue}, {25, 50, kBlue}}},
      {"a filled solid", "0 SOLID|8 TREES|10 10|20 10|11 30|21 10|12 10|22 30|13 30|23 30", {{20, 20, kGreen}}},
      {"text aligned to its middle", "0 TEXT|8 0|10 0|20 0|11 50|21 50|40 10|72 4|1 HHHH",
       {{50, 50, kBlack}, {20, 50, 0xffffff}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(kBlocks, c.entities);
    const arx::PlotPicture pic = plot();
    ASSERT_EQ(pic.width, 100);
    for (const Point& p : c.points) {
      SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
      if (p.colour == 0xffffff) {
        EXPECT_TRUE(blankNear(pic, p.x, p.y));
      } else {
        EXPECT_TRUE(colourNear(pic, p.x, p.y, p.colour));
      }
    }
  }
}

// The plug-in plots one layer at a time: a block reference's content goes
// with the reference's layer, whatever layer the plottable flags leave on.
TEST_F(PlotDrawing, LayerByLayerPlotsTakeBlockContentWithTheReference) {
  open(kBlocks, "0 INSERT|8 TREES|2 TREE|10 50|20 50|0 LINE|8 WATER|10 10|20 10|11 90|21 10");
  AcDbLayerTable* table = nullptr;
  ASSERT_EQ(db().getLayerTable(table, AcDb::kForRead), Acad::eOk);
  AcDbLayerTableRecord* water = nullptr;
  ASSERT_EQ(table->getAt("WATER", water, AcDb::kForWrite), Acad::eOk);
  table->close();
  water->setIsPlottable(false);
  water->close();
  const arx::PlotPicture pic = plot();
  EXPECT_TRUE(colourNear(pic, 55, 50, kGreen));
  EXPECT_TRUE(blankNear(pic, 50, 10));
}

TEST_F(PlotDrawing, ExtentsTakeWhatBlocksAndHatchesDraw) {
  open(kBlocks, "0 INSERT|8 TREES|2 TREE|10 200|20 100|41 4|42 4");
  arx::pageSetup(db()).plotType = arx::PlotType::Extents;
  const arx::PlotPicture pic = plot();
  // The tree fills the square page: radius 20 about (200,100) on 100 pixels.
  int inked = 0;
  for (int x = 0; x < pic.width; ++x) inked += colourAt(pic, x, 50) == kGreen;
  EXPECT_GE(inked, 2);
  EXPECT_TRUE(colourNear(pic, 0, 50, kGreen) || colourNear(pic, 1, 50, kGreen));
  EXPECT_TRUE(colourNear(pic, 99, 50, kGreen) || colourNear(pic, 98, 50, kGreen));
}

TEST_F(PlotDrawing, CrossingSelectsByWhatTheEntityDraws) {
  open(kBlocks,
       "0 INSERT|5 A1|8 TREES|2 TREE|10 40|20 50|"
        "0 HATCH|5 A2|8 WATER|10 0|20 0|30 0|210 0|220 0|230 1|2 SOLID|70 1|71 0|91 1|92 2|72 0|73 1|93 4|"
        "10 60|20 60|10 90|20 60|10 90|20 90|10 60|20 90|97 0|75 0|76 1|98 0|"
        "0 INSERT|5 A3|8 HIDDEN|2 TREE|10 10|20 10|"
        "0 INSERT|5 A4|8 OFF|2 TREE|10 10|20 10");
  struct Case {
    const char* name;
    double x1, y1, x2, y2;
    std::vector<std::string> handles;
  };
  const std::vector<Case> cases = {
      {"the tree's edge, far from its insertion point", 43, 48, 47, 52, {"A1"}},
      {"only the insertion point, inside the tree", 39, 49, 41, 51, {}},
      {"inside the solid hatch", 70, 70, 75, 75, {"A2"}},
      {"a reference on a layer that is not plotted is still selected; one on a layer that is off is not", 14, 9, 16,
       11, {"A3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(crossing(c.x1, c.y1, c.x2, c.y2), c.handles);
  }
}

// Two overlapping squares: red (handle 20) and blue (21); where they
// overlap, the one drawn last shows.
const std::string kSquares =
    "0 SOLID|5 20|8 0|62 1|10 10|20 10|11 60|21 10|12 10|22 60|13 60|23 60|"
    "0 SOLID|5 21|8 0|62 5|10 40|20 40|11 90|21 40|12 40|22 90|13 90|23 90";

TEST_F(PlotDrawing, TheSortTableGivesTheDrawOrderEzdxf) {
  open("", kSquares);
  EXPECT_TRUE(colourNear(plot(), 50, 50, kBlue));  // file order

  // Saved as release 2000, then given a sort table that draws the red square last.
  ASSERT_TRUE(arx::saveDrawing(path("saved.dxf")).ok);
  std::string output;
  const std::string script =
      "import ezdxf, sys\n"
      "doc = ezdxf.readfile(sys.argv[1])\n"
      "msp = doc.modelspace()\n"
      "msp.set_redraw_order({'20': 'FF'})\n"
      "doc.saveas(sys.argv[1])\n";
  writeText("sort.py", script);
  ASSERT_EQ(run("/usr/bin/python3 " + path("sort.py") + " " + path("saved.dxf"), output), 0) << output;
  ASSERT_TRUE(arx::openDrawing(path("saved.dxf")).ok);
  usePlotPage();
  EXPECT_TRUE(colourNear(plot(), 50, 50, kRed));
}

// The editor's DRAWORDER keeps its order in the saved file for every reader:
// the records in draw order and a sort table that gives the same order.
TEST_F(PlotDrawing, DrawOrderChangesAreSavedInTheSortTableEzdxf) {
  open("", kSquares);
  ads_name blue;
  AcDbObjectId id = arx::idFromHandle(db(), "21");
  ASSERT_EQ(acdbGetAdsName(blue, id), Acad::eOk);
  acedCommand(RTNONE);
  ASSERT_EQ(acedCommand(RTSTR, "_.DRAWORDER", RTENAME, blue, RTSTR, "", RTSTR, "_b", RTNONE), RTNORM);
  EXPECT_TRUE(colourNear(plot(), 50, 50, kRed));
  ASSERT_TRUE(arx::saveDrawing(path("saved.dxf")).ok);

  std::string output;
  writeText("order.py",
            "import ezdxf, sys\n"
            "doc = ezdxf.readfile(sys.argv[1])\n"
            "auditor = doc.audit()\n"
            "print('errors', len(auditor.errors))\n"
            "print('order', ' '.join(e.dxf.handle for e in doc.modelspace().entities_in_redraw_order()))\n");
  ASSERT_EQ(run("/usr/bin/python3 " + path("order.py") + " " + path("saved.dxf"), output), 0) << output;
  EXPECT_THAT(output, HasSubstr("errors 0"));
  EXPECT_THAT(output, HasSubstr("order 21 20"));

  ASSERT_TRUE(arx::openDrawing(path("saved.dxf")).ok);
  // Saved again unchanged, the table stays as it is.
  ASSERT_TRUE(arx::saveDrawing(path("again.dxf")).ok);
  auto sortTable = [](const std::string& text) { return text.substr(text.find("AcDbSortentsTable\n330")); };
  EXPECT_EQ(sortTable(readText("again.dxf")), sortTable(readText("saved.dxf")));
  usePlotPage();
  EXPECT_TRUE(colourNear(plot(), 50, 50, kRed));
}

// Drawings that claim too much or refer to what is not there: each opens,
// plots, is selected from and saved without a crash or a hang.
TEST_F(PlotDrawing, HostileDrawingsPlotSelectAndSave) {
  struct Case {
    const char* name;
    std::string blocks, entities, objects = "";
  };
  const std::string selfBlock = "0 BLOCK|8 0|2 SELF|70 0|10 0|20 0|0 INSERT|8 0|2 SELF|10 1|20 1|0 ENDBLK|8 0";
  const std::vector<Case> cases = {
      {"a block that holds itself", selfBlock, "0 INSERT|8 TREES|2 SELF|10 50|20 50"},
      {"a reference to no block", "", "0 INSERT|8 TREES|2 NOWHERE|10 50|20 50"},
      {"a billion columns and rows", kBlocks,
       "0 INSERT|8 TREES|2 TREE|10 0|20 0|70 1000000000|71 1000000000|44 0.001|45 0.001"},
      {"attributes promised, none follow", kBlocks, "0 INSERT|8 TREES|2 TREE|66 1|10 50|20 50"},
      {"vertices without their end", "", "0 POLYLINE|8 0|66 1|70 8|0 VERTEX|8 0|10 0|20 0|0 VERTEX|8 0|10 50|20 50"},
      {"a hatch that claims two billion paths", "",
       "0 HATCH|8 WATER|2 SOLID|70 1|91 2000000000|92 2|72 0|73 1|93 2000000000|10 0|20 0"},
      {"a sort table of handles that are not there",
       "", kSquares, "0 SORTENTSTABLE|5 90|330 0|100 AcDbSortentsTable|330 0|331 FFFF|5 0|331 20|5 |331 21"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(c.blocks, c.entities, c.objects);
    EXPECT_EQ(plot().width, 100);
    crossing(0, 0, 100, 100);
    ASSERT_TRUE(arx::saveDrawing(path("saved.dxf")).ok);
    EXPECT_TRUE(arx::openDrawing(path("saved.dxf")).ok);
  }
}

}  // namespace
