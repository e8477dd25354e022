// Opening and saving DXF drawings: round trips, images, ezdxf's audit, bad input.
#include <gmock/gmock.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <variant>

#include "dxf/document.h"

#include "acedads.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "drawing_fixture.h"
#include "gemat3d.h"
#include "imgdef.h"
#include "imgent.h"
#include "imgvars.h"
#include "testing/case_name.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using drawing_test::DrawingTest;
using drawing_test::run;

struct Summary {
  std::string handle, layer, kind;
  bool operator==(const Summary&) const = default;
};

std::vector<Summary> summary(const AcDbDatabase& db) {
  std::vector<Summary> out;
  arx::forEachModelEntity(db, [&](const arx::EntityView& e) {
    static const char* kinds[] = {"line", "polyline", "circle", "arc", "text", "image", "kept"};
    static_assert(std::size(kinds) == std::variant_size_v<arx::Shape>);
    const auto* kept = std::get_if<arx::KeptShape>(&e.shape);
    out.push_back({e.handle, e.layer.name, kept ? "kept " + kept->type : kinds[e.shape.index()]});
  });
  return out;
}

class DxfTest : public DrawingTest {
 protected:
  void buildSitePlan() {
    arx::addLayer(db(), arx::Layer{"Walls", 1, true, true, false});
    arx::addLayer(db(), arx::Layer{"Notes", 3, false, true, false});
    arx::addLayer(db(), arx::Layer{"Hidden", 5, true, false, true});
    arx::addLayer(db(), arx::Layer{"Empty", 6, true, true, false});
    arx::addEntity(db(), arx::LineShape{{0, 0}, {100, 0}}, "Walls");
    arx::addEntity(db(), arx::PolylineShape{{{{0, 0}, 0.5}, {{50, 0}, 0}, {{50, 50}, -1}}, true}, "Walls");
    arx::addEntity(db(), arx::CircleShape{{10, 10}, 5}, "Hidden");
    arx::addEntity(db(), arx::ArcShape{{20, 20}, 7, 0.25, 4.5}, "Notes");
    arx::addEntity(db(), arx::TextShape{{5, 60}, 2.5, 0.5, "Grundst\xfc" "ck 12"}, "Notes");
    arx::addEntity(db(), arx::LineShape{{1e12, -1e12}, {1e12 + 0.5, -1e12 + 0.25}}, "0");
    arx::PageSetup& setup = arx::pageSetup(db());
    setup.plotType = arx::PlotType::Window;
    setup.windowMin = {-10, -5};
    setup.windowMax = {110, 70.5};
    setup.plotCfgName = "PublishToWeb PNG.pc3";
    setup.canonicalMediaName = "VGA_(640.00_x_480.00_Pixels)";
    setup.centered = true;
    setup.plotOrigin = {12.5, -3};
    arx::view(db()) = arx::View{{40, 30}, 80, 0.25, 1.5};
  }
};

TEST_F(DxfTest, SavedDrawingOpensWithTheSameContent) {
  buildSitePlan();
  const std::string picture = this->picture("site.bmp", 40, 20);
  addImage(picture, "Walls", 0.5, 3, 4);
  const auto before = summary(db());
  const auto layersBefore = arx::layers(db());
  ASSERT_TRUE(arx::saveDrawing(path("site.dxf")).ok);

  const arx::FileResult opened = arx::openDrawing(path("site.dxf"));
  ASSERT_TRUE(opened.ok) << opened.error;
  EXPECT_EQ(opened.warning, "");
  resbuf name{};
  ASSERT_EQ(acedGetVar("DWGPREFIX", &name), RTNORM);
  EXPECT_EQ(std::string(name.resval.rstring), win32::ToWindowsPath(dir) + "\\");
  std::free(name.resval.rstring);
  ASSERT_EQ(acedGetVar("DWGNAME", &name), RTNORM);
  EXPECT_STREQ(name.resval.rstring, "site.dxf");
  std::free(name.resval.rstring);
  EXPECT_EQ(summary(db()), before);
  const auto layersAfter = arx::layers(db());
  ASSERT_EQ(layersAfter.size(), layersBefore.size());
  for (std::size_t i = 0; i < layersBefore.size(); ++i) {
    EXPECT_EQ(layersAfter[i].name, layersBefore[i].name);
    EXPECT_EQ(layersAfter[i].color, layersBefore[i].color);
    EXPECT_EQ(layersAfter[i].plottable, layersBefore[i].plottable) << layersBefore[i].name;
    EXPECT_EQ(layersAfter[i].on, layersBefore[i].on);
    EXPECT_EQ(layersAfter[i].frozen, layersBefore[i].frozen);
  }
  const arx::PageSetup& setup = arx::pageSetup(db());
  EXPECT_EQ(setup.plotType, arx::PlotType::Window);
  EXPECT_EQ(setup.windowMax.y, 70.5);
  EXPECT_EQ(setup.plotCfgName, "PublishToWeb PNG.pc3");
  EXPECT_EQ(setup.canonicalMediaName, "VGA_(640.00_x_480.00_Pixels)");
  EXPECT_TRUE(setup.centered);
  EXPECT_EQ(setup.plotOrigin.x, 12.5);
  EXPECT_EQ(setup.plotOrigin.y, -3);
  EXPECT_NEAR(arx::view(db()).twist, 0.25, 1e-15);
  EXPECT_EQ(arx::view(db()).center.x, 40.0);

  // Geometry keeps its exact values, 1e12 included.
  std::vector<arx::Shape> shapes;
  arx::forEachModelEntity(db(), [&](const arx::EntityView& e) { shapes.push_back(e.shape); });
  EXPECT_EQ(std::get<arx::LineShape>(shapes[5]).end.x, 1e12 + 0.5);
  EXPECT_EQ(std::get<arx::PolylineShape>(shapes[1]).vertices[2].bulge, -1.0);
  EXPECT_TRUE(std::get<arx::PolylineShape>(shapes[1]).closed);
  EXPECT_EQ(std::get<arx::TextShape>(shapes[4]).text, "Grundst\xfc" "ck 12");
  EXPECT_NEAR(std::get<arx::TextShape>(shapes[4]).rotation, 0.5, 1e-12);
  EXPECT_NEAR(std::get<arx::ArcShape>(shapes[3]).startAngle, 0.25, 1e-12);
  EXPECT_NEAR(std::get<arx::ArcShape>(shapes[3]).endAngle, 4.5, 1e-12);
}

TEST_F(DxfTest, ImageComesBackWithDefinitionReactorAndLayer) {
  arx::addLayer(db(), arx::Layer{"Photo", 4, true, true, false});
  const std::string picture = this->picture("aerial.bmp", 1000, 500);
  addImage(picture, "Photo", 0.2, 0, 0);
  ASSERT_TRUE(arx::saveDrawing(path("image.dxf")).ok);
  ASSERT_TRUE(arx::openDrawing(path("image.dxf")).ok);

  const AcDbObjectId dictId = AcDbRasterImageDef::imageDictionary(&db());
  ASSERT_FALSE(dictId.isNull());
  AcDbDictionary* dict = nullptr;
  ASSERT_EQ(acdbOpenObject(dict, dictId, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(dict->has("aerial"));
  dict->close();

  AcDbObjectId imageId;
  arx::forEachModelEntity(db(), [&](const arx::EntityView& e) { imageId = arx::idFromHandle(db(), e.handle); });
  AcDbRasterImage* image = nullptr;
  ASSERT_EQ(acdbOpenObject(image, imageId, AcDb::kForRead), Acad::eOk);
  ACHAR* layer = image->layer();
  EXPECT_STREQ(layer, "Photo");
  delete[] layer;
  EXPECT_FALSE(image->reactorId().isNull());
  EXPECT_TRUE(image->isSetDisplayOpt(AcDbRasterImage::kTransparent));
  AcDbExtents extents;
  ASSERT_EQ(image->getGeomExtents(extents), Acad::eOk);
  EXPECT_NEAR(extents.maxPoint().x, 200.0, 1e-9);
  EXPECT_NEAR(extents.maxPoint().y, 100.0, 1e-9);
  AcDbRasterImageDef* def = nullptr;
  ASSERT_EQ(acdbOpenObject(def, image->imageDefId(), AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(std::string(def->sourceFileName()), picture);
  EXPECT_TRUE(def->isLoaded());
  EXPECT_EQ(def->size().x, 1000.0);
  EXPECT_EQ(def->persistentReactors().size(), 1u);
  def->close();
  image->close();
}

TEST_F(DxfTest, EzdxfAuditFindsNoErrors) {
  buildSitePlan();
  addImage(picture("a.bmp", 8, 4), "Walls", 1.0, 0, 0);
  addImage(picture("a.bmp", 8, 4), "Notes", 2.0, 50, 0);  // same picture twice: a second name
  AcDbRasterVariables* vars = AcDbRasterVariables::openRasterVariables(AcDb::kForWrite);
  ASSERT_NE(vars, nullptr);
  vars->setImageFrame(AcDbRasterVariables::kImageFrameOff);
  vars->close();
  ASSERT_TRUE(arx::saveDrawing(path("audit.dxf")).ok);
  std::string output;
  const int status = run("/usr/bin/python3 -m ezdxf audit " + path("audit.dxf"), output);
  EXPECT_EQ(status, 0) << output;
  EXPECT_THAT(output, HasSubstr("No errors found"));
  EXPECT_THAT(output, Not(HasSubstr("fixed")));
}

TEST_F(DxfTest, SaveKeepsDrawOrderAndEmptyLayers) {
  const AcDbObjectId first = arx::addEntity(db(), arx::LineShape{{0, 0}, {1, 0}}, "0");
  arx::addEntity(db(), arx::CircleShape{{0, 0}, 1}, "0");
  arx::addLayer(db(), arx::Layer{"Nothing here", 8, true, true, false});
  char handle[32];
  first.handle().getIntoAsciiBuffer(handle);
  ASSERT_TRUE(arx::saveDrawing(path("order.dxf")).ok);
  ASSERT_TRUE(arx::openDrawing(path("order.dxf")).ok);
  ASSERT_NE(arx::findLayer(db(), "nothing HERE"), nullptr);
  const auto entities = summary(db());
  ASSERT_EQ(entities.size(), 2u);
  EXPECT_EQ(entities[0].kind, "line");
  EXPECT_EQ(entities[0].handle, handle);  // handles survive the round trip
}

TEST_F(DxfTest, UnknownEntityTypesAreKeptWithANote) {
  writeText("mixed.dxf",
            "0\nSECTION\n2\nENTITIES\n"
            "0\nLINE\n5\n2A\n8\nA\n10\n0\n20\n0\n30\n0\n11\n5\n21\n5\n31\n0\n"
            "0\nWOBBLE\n5\n2B\n8\nA\n10\n1\n"
            "0\nMTEXT\n5\n2C\n8\nA\n10\n1\n20\n1\n40\n2\n1\nhello\n"
            "0\nCIRCLE\n5\n2D\n8\nB\n10\n3\n20\n3\n40\n1\n"
            "0\nENDSEC\n0\nEOF\n");
  const arx::FileResult result = arx::openDrawing(path("mixed.dxf"));
  ASSERT_TRUE(result.ok) << result.error;
  // An entity type the editor cannot draw is named; MTEXT is drawn.
  EXPECT_THAT(result.warning, HasSubstr("kept as they are, not drawn by this editor: 1 WOBBLE"));
  EXPECT_THAT(result.warning, Not(HasSubstr("MTEXT")));
  const auto entities = summary(db());
  ASSERT_EQ(entities.size(), 4u);
  EXPECT_EQ(entities[0], (Summary{"2A", "A", "line"}));
  EXPECT_EQ(entities[1], (Summary{"2B", "A", "kept WOBBLE"}));
  EXPECT_EQ(entities[2], (Summary{"2C", "A", "kept MTEXT"}));
  EXPECT_EQ(entities[3], (Summary{"2D", "B", "circle"}));  // its layer is made on the fly
  ASSERT_TRUE(arx::saveDrawing(path("mixed-saved.dxf")).ok);
  std::ifstream in(path("mixed-saved.dxf"));
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_THAT(saved, HasSubstr("WOBBLE\n  5\n2B\n"));
  EXPECT_THAT(saved, HasSubstr("hello"));
}

TEST_F(DxfTest, OpensADrawingWrittenByEzdxf) {
  const std::string script =
      "import ezdxf, sys\n"
      "doc = ezdxf.new('R2018')\n"
      "doc.layers.add('Gel\\u00e4nde', color=3).dxf.plot = 0\n"
      "msp = doc.modelspace()\n"
      "msp.add_lwpolyline([(0, 0, 0, 0, 1), (10, 0)], dxfattribs={'layer': 'Gel\\u00e4nde'})\n"
      "msp.add_text('Stra\\u00dfe', dxfattribs={'height': 2})\n"
      "msp.add_mtext('kept')\n"
      "doc.saveas(sys.argv[1])\n";
  writeText("make.py", script);
  std::string output;
  ASSERT_EQ(run("/usr/bin/python3 " + path("make.py") + " " + path("ez.dxf"), output), 0) << output;
  const arx::FileResult result = arx::openDrawing(path("ez.dxf"));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.warning, "");  // everything in it is drawn
  const arx::Layer* layer = arx::findLayer(db(), "Gel\xe4nde");  // code page 1252 in the drawing
  ASSERT_NE(layer, nullptr);
  EXPECT_FALSE(layer->plottable);
  EXPECT_EQ(layer->color, 3);
  std::vector<arx::Shape> shapes;
  arx::forEachModelEntity(db(), [&](const arx::EntityView& e) { shapes.push_back(e.shape); });
  ASSERT_EQ(shapes.size(), 3u);
  EXPECT_EQ(std::get<arx::PolylineShape>(shapes[0]).vertices[0].bulge, 1.0);
  EXPECT_EQ(std::get<arx::TextShape>(shapes[1]).text, "Stra\xdf" "e");
  EXPECT_EQ(std::get<arx::KeptShape>(shapes[2]).type, "MTEXT");
}

TEST_F(DxfTest, ImageWithoutDefinitionIsLeftOutWithANote) {
  writeText("orphan.dxf",
            "0\nSECTION\n2\nENTITIES\n"
            "0\nIMAGE\n5\n30\n8\n0\n100\nAcDbEntity\n100\nAcDbRasterImage\n10\n0\n20\n0\n30\n0\n"
            "11\n1\n21\n0\n31\n0\n12\n0\n22\n1\n32\n0\n13\n4\n23\n4\n340\n99\n"
            "0\nLINE\n5\n31\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"
            "0\nENDSEC\n0\nEOF\n");
  const arx::FileResult result = arx::openDrawing(path("orphan.dxf"));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_THAT(result.warning, HasSubstr("IMAGE without definition"));
  EXPECT_EQ(arx::modelEntityCount(db()), 1u);
}

struct BadFile {
  const char* what;
  const char* text;
  const char* message;  // part of the error
};

class BadDxf : public DxfTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadDxf, GivesAClearErrorAndKeepsTheDrawing) {
  const BadFile& c = GetParam();
  arx::addEntity(db(), arx::LineShape{{0, 0}, {1, 1}}, "Kept");
  writeText("bad.dxf", c.text);
  const arx::FileResult result = arx::openDrawing(path("bad.dxf"));
  EXPECT_FALSE(result.ok) << c.what;
  EXPECT_THAT(result.error, HasSubstr(c.message)) << c.what << ": " << result.error;
  EXPECT_THAT(result.error, HasSubstr("bad.dxf"));
  EXPECT_NE(arx::findLayer(db(), "Kept"), nullptr);  // the open drawing is untouched
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadDxf,
    ::testing::Values(
        BadFile{"empty", "", "empty"},
        BadFile{"truncated", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n1", "truncated"},
        BadFile{"value missing", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n", "truncated"},
        BadFile{"no EOF", "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n", "end-of-file"},
        BadFile{"text as number", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n0\nENDSEC\n0\nEOF\n", "line 8"},
        BadFile{"code not a number", "0\nSECTION\n2\nENTITIES\nLINE\n0\n0\nENDSEC\n0\nEOF\n", "line 5"},
        BadFile{"infinite number", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1e999\n0\nENDSEC\n0\nEOF\n",
                "number expected"},
        BadFile{"section not closed", "0\nSECTION\n2\nENTITIES\n0\nSECTION\n2\nX\n0\nENDSEC\n0\nEOF\n",
                "ENDSEC missing"},
        BadFile{"binary", "AutoCAD Binary DXF\r\n\x1a", "binary"},
        BadFile{"not a DXF", "hello world\nthis is text\n", "group code expected"}),
    rwtest::caseNameBy(&BadFile::what));

TEST_F(DxfTest, MissingFileAndFolderAreReported) {
  EXPECT_THAT(arx::openDrawing(path("none.dxf")).error, HasSubstr("cannot open"));
  EXPECT_THAT(arx::openDrawing(dir).error, HasSubstr("folder"));
  const arx::FileResult save = arx::saveDrawing(path("no/such/folder/x.dxf"));
  EXPECT_FALSE(save.ok);
  EXPECT_THAT(save.error, HasSubstr("cannot create"));
}

TEST_F(DxfTest, DatabaseWithoutTablesIsRefusedNotCrashed) {
  AcDbDatabase bare(false);
  EXPECT_FALSE(arx::writeDxf(bare, path("bare.dxf")).ok);
  EXPECT_FALSE(std::filesystem::exists(path("bare.dxf")));
  writeText("one.dxf", "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
  EXPECT_FALSE(arx::readDxf(path("one.dxf"), bare).ok);
  EXPECT_EQ(arx::modelEntityCount(bare), 0u);
  EXPECT_TRUE(arx::layers(bare).empty());
}

TEST_F(DxfTest, ImageWithMissingPictureKeepsItsStoredSize) {
  const std::string picture = this->picture("gone.bmp", 30, 10);
  addImage(picture, "0", 1.0, 0, 0);
  ASSERT_TRUE(arx::saveDrawing(path("gone.dxf")).ok);
  std::filesystem::remove(path("gone.bmp"));
  ASSERT_TRUE(arx::openDrawing(path("gone.dxf")).ok);
  std::vector<arx::Shape> shapes;
  arx::forEachModelEntity(db(), [&](const arx::EntityView& e) { shapes.push_back(e.shape); });
  ASSERT_EQ(shapes.size(), 1u);
  const auto& image = std::get<arx::ImageShape>(shapes[0]);
  EXPECT_FALSE(image.loaded);
  EXPECT_EQ(image.widthPx, 30);
  EXPECT_NEAR(image.u.x, 30.0, 1e-12);
}

}  // namespace
