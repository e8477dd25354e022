// The picture inserted as a raster image over the plot window: definition,
// image, placement, options and the world file, on real pictures.
#include <gmock/gmock.h>
#include <Magick++.h>
#include <dbdict.h>
#include <dbsymtb.h>
#include <imgdef.h>
#include <imgent.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "arx/plot.h"
#include "plot/tests/editor_fixture.h"
#include "plot_placement.h"
#include "raster/image_insert.h"
#include "raster/world_file.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class InsertTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    AddLayer("Photo", 3);
    AddLayer("Walls", 1);
    AddLine("Walls", {0, 0}, {200, 100});
  }
  void WritePicture(const std::string& name, int width, int height) const {
    Magick::Image picture(Magick::Geometry(width, height), Magick::Color("orange"));
    picture.write(Posix(name));
  }
  bool Insert(const std::string& layer = "Photo", bool toBack = false) {
    window_ = PlotWindow{{0, 0}, {200, 100}};
    return insertPicture("D:\\site", "png", "pgw", window_, layer, ImageOptions{toBack, true, false});
  }
  static std::vector<std::string> ImageDictionaryNames() {
    std::vector<std::string> names;
    AcDbDictionary* dictionary = nullptr;
    if (acdbOpenObject(dictionary, AcDbRasterImageDef::imageDictionary(&Drawing()), AcDb::kForRead) != Acad::eOk) {
      return names;
    }
    for (const auto& entry : dictionary->entries()) names.push_back(entry.second.name);
    dictionary->close();
    return names;
  }
  // Model-space shapes in draw order: 'I' for an image, 'L' for a line.
  static std::string DrawOrder() {
    std::string order;
    arx::forEachModelEntity(Drawing(), [&](const arx::EntityView& entity) {
      order += std::holds_alternative<arx::ImageShape>(entity.shape) ? 'I' : 'L';
    });
    return order;
  }
  static const arx::ImageShape* FirstImage() {
    const arx::ImageShape* found = nullptr;
    arx::forEachModelEntity(Drawing(), [&](const arx::EntityView& entity) {
      if (!found) found = std::get_if<arx::ImageShape>(&entity.shape);
    });
    return found;
  }

  PlotWindow window_;
};

TEST_F(InsertTest, PictureCoversTheWindowAtOneScaleAndTheWorldFileCentresTheUpperLeftPixel) {
  const struct {
    int width, height;
    double top;
    const char* worldFile;
  } cases[] = {
      {1000, 500, 100,
       "0.20000000000000\r\n0.00000000000000\r\n0.00000000000000\r\n-0.20000000000000\r\n"
       "0.10000000000000\r\n99.90000000000000\r\n"},
      {1000, 600, 120,
       "0.20000000000000\r\n0.00000000000000\r\n0.00000000000000\r\n-0.20000000000000\r\n"
       "0.10000000000000\r\n119.90000000000000\r\n"},
      {500, 1000, 400,  // taller than the window: the height ratio wins
       "0.40000000000000\r\n0.00000000000000\r\n0.00000000000000\r\n-0.40000000000000\r\n"
       "0.20000000000000\r\n399.80000000000000\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
    arx::newDrawing();
    AddLayer("Photo", 3);
    WritePicture("site.png", c.width, c.height);
    ASSERT_TRUE(Insert()) << c.width << "x" << c.height;
    EXPECT_NEAR(window_.first.x, 0, 1e-9);
    EXPECT_NEAR(window_.first.y, 0, 1e-9);
    EXPECT_NEAR(window_.second.y, c.top, 1e-9);
    EXPECT_EQ(folder_.read("site.pgw"), c.worldFile);
  }
}

// Reads the world file: pixel size and the centre of the upper-left pixel.
struct WorldFile {
  double size = 0, left = 0, top = 0;
};
WorldFile ParseWorldFile(const std::string& text) {
  std::istringstream in(text);
  double terms[6] = {};
  for (double& t : terms) in >> t;
  return {terms[0], terms[4], terms[5]};
}

TEST_F(InsertTest, PlottedLinesLieOnTheirWorldCoordinatesInThePlacedPicture) {
  // A line at y = 30 and one at x = 60, plotted by the real plotter on VGA
  // and placed: the picture's pixels and its world file put them back there,
  // for windows wider and taller than the paper, centred and not, moved.
  const arx_testing::PlotPlacement cases[] = {
      {"wide", {200, 100}},        {"wide, centred", {200, 100}, true},
      {"tall", {100, 200}},        {"tall, centred", {100, 200}, true},
      {"wide, moved", {200, 100}, false, {16, 24}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    arx::newDrawing();
    AddLayer("Photo", 3);
    AddLayer("Walls", 1);
    AddLine("Walls", {0, 30}, {c.high.x, 30});
    AddLine("Walls", {60, 0}, {60, c.high.y});
    arx_testing::usePlacement(Drawing(), c);
    ASSERT_TRUE(arx::plotLayout(Drawing(), Posix("site.png")).ok);
    const auto plotted = arx::readPlotPicture(Posix("site.png"));
    ASSERT_TRUE(plotted);
    window_ = PlotWindow{{0, 0}, {c.high.x, c.high.y}};
    ASSERT_TRUE(insertPicture("D:\\site", "png", "pgw", window_, "Photo", ImageOptions{}));
    const arx::ImageShape* image = FirstImage();
    ASSERT_NE(image, nullptr);
    const WorldFile world = ParseWorldFile(folder_.read("site.pgw"));
    ASSERT_GT(world.size, 0);
    // The horizontal line is the row with the most red, the vertical one the
    // column: as world coordinates through the world file and through the
    // placed image (its origin at the picture's lower-left corner).
    std::vector<int> perRow(plotted->height), perColumn(plotted->width);
    for (int y = 0; y < plotted->height; ++y)
      for (int x = 0; x < plotted->width; ++x) {
        const unsigned char* p = plotted->at(x, y);
        if (p[0] > 200 && p[1] < 80) ++perRow[y], ++perColumn[x];
      }
    const int row = static_cast<int>(std::max_element(perRow.begin(), perRow.end()) - perRow.begin());
    const int column = static_cast<int>(std::max_element(perColumn.begin(), perColumn.end()) - perColumn.begin());
    ASSERT_GT(perRow[row], 0);
    EXPECT_NEAR(world.top - row * world.size, 30, 1.5 * world.size);
    EXPECT_NEAR(world.left + column * world.size, 60, 1.5 * world.size);
    EXPECT_NEAR(image->origin.y + (plotted->height - 0.5 - row) * world.size, 30, 1.5 * world.size);
    EXPECT_NEAR(image->origin.x + (column + 0.5) * world.size, 60, 1.5 * world.size);
  }
}

TEST_F(InsertTest, ImageOnTheChosenLayerWithItsOptionsAndReactor) {
  WritePicture("site.png", 100, 50);
  window_ = PlotWindow{{10, 20}, {110, 70}};
  ASSERT_TRUE(insertPicture("D:\\site", "png", "pgw", window_, "Photo", ImageOptions{false, false, true}));
  const arx::ImageShape* image = FirstImage();
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->transparent);
  EXPECT_NEAR(image->origin.x, 10, 1e-9);
  EXPECT_NEAR(image->origin.y, 20, 1e-9);
  bool frame = true;
  ASSERT_TRUE(readImageFrame(frame));
  EXPECT_FALSE(frame);
  bool onPhoto = false;
  arx::forEachModelEntity(Drawing(), [&](const arx::EntityView& entity) {
    if (std::holds_alternative<arx::ImageShape>(entity.shape)) onPhoto = entity.layer.name == "Photo";
  });
  EXPECT_TRUE(onPhoto);
}

TEST_F(InsertTest, InsertedImageSurvivesSavingAndReopeningTheDrawing) {
  WritePicture("site.png", 1000, 500);
  ASSERT_TRUE(Insert());
  ASSERT_TRUE(arx::saveDrawing(Posix("site.dxf")).ok);
  const arx::FileResult reopened = arx::openDrawing(Posix("site.dxf"));
  ASSERT_TRUE(reopened.ok) << reopened.error;
  const arx::ImageShape* image = FirstImage();
  ASSERT_NE(image, nullptr);
  EXPECT_NEAR(image->origin.x, 0, 1e-9);
  EXPECT_NEAR(image->origin.y, 0, 1e-9);
  EXPECT_NEAR(image->u.x, 200, 1e-9);  // the whole row
  EXPECT_NEAR(image->v.y, 100, 1e-9);  // the whole column
  EXPECT_EQ(image->widthPx, 1000);
  EXPECT_EQ(ImageDictionaryNames().size(), 1u);
}

TEST_F(InsertTest, SecondInsertionOfThePictureGetsAnotherName) {
  WritePicture("site.png", 100, 50);
  ASSERT_TRUE(Insert());
  ASSERT_TRUE(Insert());
  const std::vector<std::string> names = ImageDictionaryNames();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_NE(names[0], names[1]);
}

TEST_F(InsertTest, SendToBackIssuesDrawOrderOnlyWhenAsked) {
  WritePicture("site.png", 100, 50);
  ASSERT_TRUE(Insert("Photo", false));
  EXPECT_THAT(Transcript(), Not(HasSubstr("DRAWORDER")));
  EXPECT_EQ(DrawOrder(), "LI");
  ASSERT_TRUE(Insert("Photo", true));
  EXPECT_THAT(Transcript(), HasSubstr("DRAWORDER"));
  EXPECT_EQ(DrawOrder(), "ILI");
}

TEST_F(InsertTest, MissingLayerDeletesTheImageAndKeepsTheDefinition) {
  WritePicture("site.png", 100, 50);
  EXPECT_FALSE(Insert("Nowhere"));
  EXPECT_EQ(DrawOrder(), "L");
  EXPECT_EQ(ImageDictionaryNames().size(), 1u);
  EXPECT_FALSE(Exists("site.pgw"));
}

TEST_F(InsertTest, MissingPictureStoresNothing) {
  EXPECT_FALSE(Insert());
  EXPECT_TRUE(ImageDictionaryNames().empty());
  EXPECT_EQ(DrawOrder(), "L");
}

TEST_F(InsertTest, PictureWithoutPixelsIsNotPlaced) {
  WritePicture("site.png", 100, 50);
  const AcDbObjectId definitionId = createImageDefinition("D:\\site.png");
  ASSERT_FALSE(definitionId.isNull());
  AcDbRasterImageDef* definition = nullptr;
  ASSERT_EQ(acdbOpenObject(definition, definitionId, AcDb::kForWrite), Acad::eOk);
  definition->setStoredSize(0, 0, true);
  definition->close();
  const AcDbObjectId imageId = createImage(definitionId, "Photo");
  ASSERT_FALSE(imageId.isNull());
  AcGeVector2d pixelSize(-1, -1);
  EXPECT_FALSE(placeImage(imageId, PlotWindow{{0, 0}, {200, 100}}, pixelSize));
  EXPECT_EQ(pixelSize.x, -1);
}

TEST_F(InsertTest, WorldFileThatCannotBeWrittenIsNamedOnTheCommandLineAndTheImageStays) {
  WritePicture("site.png", 100, 50);
  std::filesystem::create_directory(Posix("site.pgw"));
  ASSERT_TRUE(Insert());
  EXPECT_EQ(DrawOrder(), "LI");
  EXPECT_THAT(Transcript(), HasSubstr("cmdline | The world file could not be written: D:\\site.pgw\n"));
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

TEST_F(InsertTest, RedrawMarksOnlyEntitiesOfTheClass) {
  WritePicture("site.png", 100, 50);
  ASSERT_TRUE(Insert());
  redrawEntitiesOfClass("AcDbRasterImage");
  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(Drawing().getBlockTable(table, AcDb::kForRead), Acad::eOk);
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead), Acad::eOk);
  table->close();
  std::string marked;
  for (AcDbObjectId id : space->entityIds()) {
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    marked += entity->graphicsModifiedCount() > 0 ? 'M' : '-';
    entity->close();
  }
  space->close();
  EXPECT_EQ(marked, "-M");
}

TEST(WorldFile, ExtensionDropsTheTypesSecondLetterAndAddsW) {
  const std::pair<const char*, const char*> cases[] = {
      {"tif", "tfw"}, {"png", "pgw"}, {"jpg", "jgw"}, {"eps", "esw"}};
  for (const auto& [type, extension] : cases) EXPECT_EQ(worldFileExtension(type), extension) << type;
}

TEST(WorldFile, UnwritablePlaceWritesNothing) {
  rwtest::TempFolder folder;
  EXPECT_FALSE(writeWorldFile(folder.windows("missing") + "\\site", "tfw", PlotWindow{{0, 0}, {1, 1}},
                              AcGeVector2d(0.5, 0)));
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(WorldFile, ExistingFileIsReplaced) {
  rwtest::TempFolder folder;
  folder.write("site.tfw", "an old world file that is longer than the new one\r\n");
  ASSERT_TRUE(writeWorldFile(folder.windows("site"), "tfw", PlotWindow{{10, 20}, {60, 45}}, AcGeVector2d(0.5, 0)));
  EXPECT_EQ(folder.read("site.tfw"),
            "0.50000000000000\r\n0.00000000000000\r\n0.00000000000000\r\n-0.50000000000000\r\n"
            "10.25000000000000\r\n44.75000000000000\r\n");
}

}  // namespace
