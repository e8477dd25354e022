// Plots of real drawings to real files, checked pixel by pixel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "arx/drawing.h"
#include "arx/plot.h"
#include "dbdict.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "imgdef.h"
#include "imgent.h"
#include "plot_placement.h"
#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace fs = std::filesystem;

namespace {

using ::testing::HasSubstr;

struct Rgb {
  int r, g, b;
};
constexpr Rgb kRed{255, 0, 0}, kWhite{255, 255, 255};

class PlotPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    arx::newDrawing();
    arx::addLayer(db(), {"RED", 1, true, true, false});
    arx::addLayer(db(), {"NOPLOT", 3, false, true, false});
    arx::addLayer(db(), {"OFF", 4, true, false, false});
    arx::addLayer(db(), {"FROZEN", 5, true, true, true});
    // 640 x 480 pixels for a 64 x 48 window: ten pixels a unit, y up.
    usePage("PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", {0, 0}, {64, 48});
  }

  static AcDbDatabase& db() { return arx::workingDrawing(); }
  static void usePage(const std::string& device, const std::string& media, arx::Point low, arx::Point high) {
    arx::PageSetup& setup = arx::pageSetup(db());
    setup.plotCfgName = device;
    setup.canonicalMediaName = media;
    setup.plotType = arx::PlotType::Window;
    setup.windowMin = low;
    setup.windowMax = high;
  }
  static void line(arx::Point a, arx::Point b, const char* layer = "RED") {
    arx::addEntity(db(), arx::LineShape{a, b}, layer);
  }
  std::string file(const std::string& name) const { return folder_.posix(name); }

  arx::PlotPicture plot(const std::string& name = "plot.png") {
    const arx::FileResult result = arx::plotLayout(db(), file(name));
    EXPECT_TRUE(result.ok) << result.error;
    auto picture = arx::readPlotPicture(file(name));
    EXPECT_TRUE(picture.has_value());
    return picture.value_or(arx::PlotPicture{});
  }

  rwtest::TempFolder folder_{"rw-plot"};
};

bool near(const unsigned char* p, Rgb c, int tolerance = 0) {
  return std::abs(p[0] - c.r) <= tolerance && std::abs(p[1] - c.g) <= tolerance && std::abs(p[2] - c.b) <= tolerance;
}

// Some pixel within `radius` of (x, y) has colour `c`.
bool colourAround(const arx::PlotPicture& pic, int x, int y, Rgb c, int radius = 1, int tolerance = 0) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      const int px = x + dx, py = y + dy;
      if (px >= 0 && py >= 0 && px < pic.width && py < pic.height && near(pic.at(px, py), c, tolerance)) return true;
    }
  return false;
}

// Pixels that are not white, outside the rows [skipTop, skipBottom].
int inkOutsideRows(const arx::PlotPicture& pic, int skipTop, int skipBottom) {
  int ink = 0;
  for (int y = 0; y < pic.height; ++y)
    for (int x = 0; x < pic.width && (y < skipTop || y > skipBottom); ++x) ink += !near(pic.at(x, y), kWhite);
  return ink;
}

TEST_F(PlotPixels, PlottableEntityInItsLayerColourAndNothingElse) {
  line({10, 10}, {50, 10});                          // page row 380, columns 100..500
  line({10, 20}, {50, 20}, "NOPLOT");
  line({10, 30}, {50, 30}, "OFF");
  line({10, 40}, {50, 40}, "FROZEN");
  line({10, 100}, {50, 100});                        // above the window
  line({-30, 5}, {-10, 5});                          // left of the window
  const arx::PlotPicture pic = plot();
  ASSERT_EQ(pic.width, 640);
  ASSERT_EQ(pic.height, 480);
  for (int x : {110, 300, 490}) {
    SCOPED_TRACE(x);
    EXPECT_TRUE(colourAround(pic, x, 380, kRed));
  }
  EXPECT_FALSE(colourAround(pic, 80, 380, kRed, 1)) << "the line stops at its end";
  EXPECT_EQ(inkOutsideRows(pic, 378, 382), 0) << "only the plottable line is drawn";
}

TEST_F(PlotPixels, WindowKeepsItsAspectFromTheLowerLeftCornerOrCentred) {
  // A 100 x 50 window fits 6.4 pixels a unit, a 50 x 100 one 4.8: the window
  // starts at the page's lower-left corner (moved by the plot origin) unless
  // the page setup centres the plot. Rows and columns of a horizontal line at
  // the window's middle height and a vertical one at its middle width.
  const struct {
    arx_testing::PlotPlacement placement;
    int row, column, top, right;  // top row and right column of the plotted window
  } cases[] = {
      {{"wide", {100, 50}}, 320, 320, 160, 640},
      {{"wide, centred", {100, 50}, true}, 240, 320, 80, 640},
      {{"wide, moved", {100, 50}, false, {20, 30}}, 290, 340, 130, 660},
      {{"tall", {50, 100}}, 240, 120, 0, 240},
      {{"tall, centred", {50, 100}, true}, 240, 320, 0, 440},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.placement.name);
    arx::newDrawing();
    arx::addLayer(db(), {"RED", 1, true, true, false});
    arx_testing::usePlacement(db(), c.placement);
    const arx::Point high = c.placement.high;
    line({0, high.y / 2}, {high.x, high.y / 2});
    line({high.x / 2, 0}, {high.x / 2, high.y});
    const arx::PlotPicture pic = plot();
    EXPECT_TRUE(colourAround(pic, c.column - 40, c.row, kRed));
    EXPECT_TRUE(colourAround(pic, c.column, c.top + 10, kRed));
    EXPECT_FALSE(colourAround(pic, c.column, c.top - 10, kRed, 2)) << "nothing above the window";
    if (c.right + 10 < 640) {
      EXPECT_FALSE(colourAround(pic, c.right + 10, c.row, kRed, 2)) << "nothing right of it";
    }
  }
}

TEST_F(PlotPixels, CurvesRunTheRightWay) {
  // Bulge 1 from (20,20) to (40,20) is a counter-clockwise half circle: it passes (30,10).
  arx::addEntity(db(), arx::PolylineShape{{{{20, 20}, 1.0}, {{40, 20}, 0.0}}, false}, "RED");
  // A quarter arc around (32,34) from 0 to 90 degrees: through 45, not through 225.
  arx::addEntity(db(), arx::ArcShape{{50, 30}, 10, 0, std::numbers::pi / 2}, "RED");
  const arx::PlotPicture pic = plot();
  EXPECT_TRUE(colourAround(pic, 300, 380, kRed));           // (30,10)
  EXPECT_FALSE(colourAround(pic, 300, 180, kRed, 3));       // (30,30): the other half
  const double c = 10 * std::cos(std::numbers::pi / 4);
  EXPECT_TRUE(colourAround(pic, static_cast<int>(std::lround(500 + 10 * c)), static_cast<int>(std::lround(480 - 10 * (30 + c))), kRed));
  EXPECT_FALSE(colourAround(pic, static_cast<int>(std::lround(500 - 10 * c)), static_cast<int>(std::lround(480 - 10 * (30 - c))), kRed, 3));
}

TEST_F(PlotPixels, CircleAndTextAreDrawn) {
  arx::addEntity(db(), arx::CircleShape{{32, 24}, 5}, "RED");
  arx::addEntity(db(), arx::TextShape{{5, 40}, 4, 0, "Plan"}, "RED");
  const arx::PlotPicture pic = plot();
  EXPECT_TRUE(colourAround(pic, 370, 240, kRed));  // right of the circle
  EXPECT_TRUE(colourAround(pic, 320, 190, kRed));  // its top
  EXPECT_FALSE(colourAround(pic, 320, 240, kRed, 3));
  int red = 0;  // the text's box: columns 50.., rows 40..80
  for (int y = 40; y < 80; ++y)
    for (int x = 50; x < 150; ++x) red += near(pic.at(x, y), kRed);
  EXPECT_GT(red, 20);
}

TEST_F(PlotPixels, OtherPlotTypesPlotTheExtentsOrTheView) {
  line({10, 10}, {50, 10});
  line({10, 30}, {50, 30}, "NOPLOT");  // not part of the plotted extents
  arx::View& v = arx::view(db());
  v.center = {30, 10};
  v.height = 60;  // 80 x 60 units seen: 8 pixels a unit
  arx::pageSetup(db()).plotType = arx::PlotType::Extents;
  arx::PlotPicture pic = plot("extents.png");
  EXPECT_TRUE(colourAround(pic, 2, 240, kRed, 2)) << "the line spans the page";
  EXPECT_TRUE(colourAround(pic, 637, 240, kRed, 2));
  arx::pageSetup(db()).plotType = arx::PlotType::Display;
  pic = plot("display.png");
  EXPECT_TRUE(colourAround(pic, 160, 240, kRed, 1));
  EXPECT_TRUE(colourAround(pic, 480, 240, kRed, 1));
  EXPECT_FALSE(colourAround(pic, 150, 240, kRed, 2));
}

TEST_F(PlotPixels, TwistedViewPlotsInDisplayCoordinates) {
  arx::View& v = arx::view(db());
  v.twist = std::numbers::pi / 2;
  usePage("PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", {-32, -24}, {32, 24});
  line({0, 0}, {20, 0});
  const arx::PlotPicture pic = plot();
  // The world x axis is turned a quarter: the line runs from the centre straight up or down.
  const bool up = colourAround(pic, 320, 140, kRed), down = colourAround(pic, 320, 340, kRed);
  EXPECT_TRUE(up != down);
  EXPECT_FALSE(colourAround(pic, 420, 240, kRed, 2));
  EXPECT_FALSE(colourAround(pic, 220, 240, kRed, 2));
}

TEST_F(PlotPixels, HugeCoordinatesAreClippedNotLost) {
  line({-1e12, 24}, {1e12, 24});                                // across the page, row 240
  arx::addEntity(db(), arx::CircleShape{{32, -1e12 + 14}, 1e12}, "RED");  // its top at y=14: row 340
  arx::addEntity(db(), arx::CircleShape{{1e12, 1e12}, 5}, "RED");          // far away
  const arx::PlotPicture pic = plot();
  for (int x : {2, 320, 637}) {
    SCOPED_TRACE(x);
    EXPECT_TRUE(colourAround(pic, x, 240, kRed));
  }
  for (int x : {5, 320, 630}) {
    SCOPED_TRACE(x);
    EXPECT_TRUE(colourAround(pic, x, 340, kRed, 1));
  }
  EXPECT_EQ(inkOutsideRows(pic, 236, 344) , 0);
}

TEST_F(PlotPixels, WindowFarFromTheOrigin) {
  usePage("PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", {1e12, 1e12}, {1e12 + 64, 1e12 + 48});
  line({1e12 + 10, 1e12 + 10}, {1e12 + 50, 1e12 + 10});
  const arx::PlotPicture pic = plot();
  EXPECT_TRUE(colourAround(pic, 300, 380, kRed, 1));
  EXPECT_EQ(inkOutsideRows(pic, 377, 383), 0);
}

TEST_F(PlotPixels, HugeWindowPlotsTheDrawingSmall) {
  usePage("PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", {-1e12, -1e12}, {1e12, 1e12});
  line({-5e11, 0}, {5e11, 0});
  const arx::PlotPicture pic = plot();
  EXPECT_TRUE(colourAround(pic, 320, 240, kRed, 1));
  EXPECT_TRUE(colourAround(pic, 200, 240, kRed, 1));
  EXPECT_FALSE(colourAround(pic, 50, 240, kRed, 2));
}

// A raster image of `picture` (Windows path) at `origin`, `size` units wide.
void addImage(const std::string& picture, AcGePoint3d origin, AcGeVector3d u, AcGeVector3d v, bool loaded) {
  AcDbDatabase* database = &arx::workingDrawing();
  AcDbObjectId dictionaryId, definitionId, imageId;
  ASSERT_EQ(AcDbRasterImageDef::createImageDictionary(database, dictionaryId), Acad::eOk);
  AcDbDictionary* dictionary = nullptr;
  ASSERT_EQ(acdbOpenObject(dictionary, dictionaryId, AcDb::kForWrite), Acad::eOk);
  auto* definition = new AcDbRasterImageDef;
  definition->setSourceFileName(picture.c_str());
  ASSERT_EQ(definition->load(), Acad::eOk);
  if (!loaded) definition->unload();
  dictionary->setAt(loaded ? "loaded" : "unloaded", definition, definitionId);
  definition->close();
  dictionary->close();
  auto* image = new AcDbRasterImage;
  image->setImageDefId(definitionId);
  image->setLayer("RED");
  image->setOrientation(origin, u, v);
  AcDbBlockTable* blocks = nullptr;
  AcDbBlockTableRecord* model = nullptr;
  ASSERT_EQ(database->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
  ASSERT_EQ(blocks->getAt("*Model_Space", model, AcDb::kForWrite), Acad::eOk);
  blocks->close();
  ASSERT_EQ(model->appendAcDbEntity(imageId, image), Acad::eOk);
  image->close();
  model->close();
}

TEST_F(PlotPixels, RasterImagesShowTheirPictureOrTheirFrame) {
  // The picture: a plot of a blue line, 640 x 480 pixels.
  arx::addLayer(db(), {"BLUE", 5, true, true, false});
  line({10, 24}, {50, 24}, "BLUE");
  ASSERT_TRUE(arx::plotLayout(db(), file("picture.png")).ok);
  const std::string picture = win32::ToWindowsPath(file("picture.png"));

  arx::newDrawing();
  arx::addLayer(db(), {"RED", 1, true, true, false});
  usePage("PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", {0, 0}, {64, 48});
  // Pixel for pixel over the whole window, and an unloaded one in the middle.
  addImage(picture, {0, 0, 0}, {64, 0, 0}, {0, 48, 0}, true);
  addImage(picture, {16, 12, 0}, {32, 0, 0}, {0, 24, 0}, false);
  const arx::PlotPicture pic = plot();
  EXPECT_TRUE(colourAround(pic, 120, 240, {0, 0, 255}, 1));
  EXPECT_TRUE(colourAround(pic, 480, 240, {0, 0, 255}, 1));
  EXPECT_TRUE(colourAround(pic, 320, 120, kRed, 1));  // the unloaded image's frame
  EXPECT_TRUE(colourAround(pic, 160, 300, kRed, 1));
  EXPECT_TRUE(near(pic.at(40, 40), kWhite));
}

// A picture that is no picture any more when it is plotted (an SVG drawing
// blue under the PNG's name) plots as the image's frame, never as what the
// script draws; plot files are read by their signature too.
TEST_F(PlotPixels, RasterImageOfAFileThatIsNoPicturePlotsItsFrame) {
  usePage("PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", {0, 0}, {64, 48});
  ASSERT_TRUE(arx::plotLayout(db(), file("picture.png")).ok);
  arx::addLayer(db(), {"RED", 1, true, true, false});
  addImage(win32::ToWindowsPath(file("picture.png")), {16, 12, 0}, {32, 0, 0}, {0, 24, 0}, true);
  std::ofstream(file("picture.png"), std::ios::binary)
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"480\">"
         "<rect width=\"640\" height=\"480\" fill=\"blue\"/></svg>";
  const arx::PlotPicture pic = plot();
  EXPECT_TRUE(colourAround(pic, 320, 120, kRed, 1));
  EXPECT_TRUE(near(pic.at(320, 240), kWhite));
  for (const std::string& name : {file("picture.png"), std::string("text:/etc/hostname"), std::string("label:x")}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(arx::readPlotPicture(name).has_value());
  }
}

struct BadWindow {
  const char* name;
  arx::Point low, high;
};

TEST_F(PlotPixels, WindowWithoutAreaIsRefusedAndNoFileLeft) {
  const double nan = std::nan("");
  for (const BadWindow& bad : {BadWindow{"point", {5, 5}, {5, 5}}, BadWindow{"no width", {5, 0}, {5, 40}},
                               BadWindow{"no height", {0, 7}, {60, 7}}, BadWindow{"not a number", {nan, 0}, {10, 10}},
                               BadWindow{"infinite", {0, 0}, {INFINITY, 10}}}) {
    usePage("PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", bad.low, bad.high);
    line({0, 0}, {10, 10});
    const arx::FileResult result = arx::plotLayout(db(), file("bad.png"));
    EXPECT_FALSE(result.ok) << bad.name;
    EXPECT_THAT(result.error, HasSubstr("window")) << bad.name << ": " << result.error;
    EXPECT_FALSE(fs::exists(file("bad.png"))) << bad.name;
    EXPECT_FALSE(fs::exists(file("bad.png.partial"))) << bad.name;
  }
}

TEST_F(PlotPixels, EveryRasterFormatIsARealPictureOfThePlot) {
  line({10, 10}, {50, 10});
  struct Case {
    const char* device;
    const char* file;
    int tolerance;  // JPEG is lossy
    std::string magic;  // the file's first bytes
  };
  for (const Case& c : {Case{"PublishToWeb PNG.pc3", "p.png", 0, "\x89PNG"},
                        Case{"PublishToWeb JPG.pc3", "p.jpg", 60, "\xFF\xD8\xFF"},
                        Case{"TIFF Version 6 (Uncompressed).pc3", "p.tif", 0, "II*"}}) {
    arx::pageSetup(db()).plotCfgName = c.device;
    const arx::PlotPicture pic = plot(c.file);
    ASSERT_EQ(pic.width, 640) << c.device;
    EXPECT_TRUE(colourAround(pic, 300, 380, kRed, 1, c.tolerance)) << c.device;
    EXPECT_TRUE(near(pic.at(5, 5), kWhite, c.tolerance / 4)) << c.device;
    std::ifstream in(file(c.file), std::ios::binary);
    std::string head(c.magic.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    EXPECT_EQ(head, c.magic) << c.device;
  }
}

TEST_F(PlotPixels, UserSizesPlotInEveryRasterFormat) {
  line({10, 10}, {50, 10});
  struct Case {
    const char* device;
    const char* file;
    const char* media;
    int width, height;
  } cases[] = {
      {"PublishToWeb PNG.pc3", "u.png", "User_(3200.00_x_2400.00_Pixels)", 3200, 2400},
      {"PublishToWeb JPG.pc3", "u.jpg", "User_(2400.00_x_3200.00_Pixels)", 2400, 3200},
      {"TIFF Version 6 (Uncompressed).pc3", "u.tif", "User_(1.00_x_1.00_Pixels)", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device);
    usePage(c.device, c.media, {0, 0}, {64, 48});
    const arx::PlotPicture pic = plot(c.file);
    EXPECT_EQ(pic.width, c.width);
    EXPECT_EQ(pic.height, c.height);
  }
}

// Plots with less memory than the page needs; exit status 0 when the plot
// failed, with its message on stderr, and left no file.
[[noreturn]] void PlotWithLittleMemory(const std::string& path) {
  rlimit small{};
  small.rlim_cur = small.rlim_max = 512u << 20;  // less than the page's 1 GB
  setrlimit(RLIMIT_AS, &small);
  const arx::FileResult result = arx::plotLayout(arx::workingDrawing(), path);
  std::fprintf(stderr, "%s\n", result.error.c_str());
  std::exit(!result.ok && !fs::exists(path) && !fs::exists(path + ".partial") ? 0 : 1);
}

TEST_F(PlotPixels, APlotThatDoesNotFitInMemoryEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer's shadow memory does not fit in a small address space";
#endif
  line({10, 10}, {50, 10});
  usePage("PublishToWeb PNG.pc3", "User_(16000.00_x_16000.00_Pixels)", {0, 0}, {64, 48});
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(PlotWithLittleMemory(file("huge.png")), ::testing::ExitedWithCode(0),
              "The plot page of 16000 x 16000 pixels cannot be made: out of memory");
}

TEST_F(PlotPixels, DevicesThatCannotPlot) {
  line({10, 10}, {50, 10});
  for (const char* device : {"None", "Plotter That Is Not There.pc3"}) {
    SCOPED_TRACE(device);
    arx::pageSetup(db()).plotCfgName = device;
    const arx::FileResult result = arx::plotLayout(db(), file("none.png"));
    EXPECT_FALSE(result.ok) << device;
    EXPECT_FALSE(result.error.empty());
    EXPECT_FALSE(fs::exists(file("none.png")));
  }
}

TEST_F(PlotPixels, UnwritablePlacesFailClearly) {
  line({10, 10}, {50, 10});
  const arx::FileResult result = arx::plotLayout(db(), file("missing-folder/plot.png"));
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
}

TEST_F(PlotPixels, EpsRendersLikeThePng) {
  usePage("PostScript Level 2.pc3", "ISO_A4_(297.00_x_210.00_MM)", {0, 0}, {84.2, 59.5});
  line({10, 10}, {70, 10});
  arx::addEntity(db(), arx::CircleShape{{40, 30}, 12}, "RED");
  arx::addEntity(db(), arx::PolylineShape{{{{10, 40}, 0.5}, {{30, 50}, 0}, {{50, 40}, -0.4}}, false}, "RED");
  arx::addEntity(db(), arx::ArcShape{{70, 40}, 8, 0.3, 4.0}, "RED");
  ASSERT_TRUE(arx::plotLayout(db(), file("plot.eps")).ok);
  ASSERT_TRUE(arx::plotLayoutAs(db(), file("plot.png"), arx::PlotFormat::Png).ok);
  const std::string gs = "gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=png16m -r72 -sOutputFile=" +
                         file("gs.png") + " " + file("plot.eps");
  ASSERT_EQ(std::system(gs.c_str()), 0) << gs;
  const arx::PlotPicture png = arx::readPlotPicture(file("plot.png")).value();
  const arx::PlotPicture eps = arx::readPlotPicture(file("gs.png")).value();
  ASSERT_EQ(eps.width, png.width);
  ASSERT_EQ(eps.height, png.height);
  // Every ink pixel of each picture has ink within two pixels in the other;
  // rasterisers may round a line to the neighbouring row.
  auto unmatched = [](const arx::PlotPicture& a, const arx::PlotPicture& b, int& ink) {
    int misses = 0;
    for (int y = 0; y < a.height; ++y)
      for (int x = 0; x < a.width; ++x) {
        if (near(a.at(x, y), kWhite, 40)) continue;
        ++ink;
        bool found = false;
        for (int dy = -2; dy <= 2 && !found; ++dy)
          for (int dx = -2; dx <= 2 && !found; ++dx) {
            const int px = x + dx, py = y + dy;
            found = px >= 0 && py >= 0 && px < b.width && py < b.height && !near(b.at(px, py), kWhite, 40);
          }
        misses += !found;
      }
    return misses;
  };
  int pngInk = 0, epsInk = 0;
  const int pngMisses = unmatched(png, eps, pngInk), epsMisses = unmatched(eps, png, epsInk);
  EXPECT_GT(pngInk, 500);
  EXPECT_LE(pngMisses, pngInk / 100);
  EXPECT_LE(epsMisses, epsInk / 100);
}

}  // namespace
