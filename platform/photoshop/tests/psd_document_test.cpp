// Layered documents as the editor writes them: 8 bits, PackBits-coded
// channels, each layer at the bounds of its content, names in the records and
// (beyond ASCII) in the Unicode block; read back by ImageMagick and by the
// editor itself, and saved so that a failed write leaves the old file whole.
#include <gmock/gmock.h>
#include <algorithm>
#include <functional>

#include "psd_fixture.h"
#include "testing/small_disk.h"

namespace {

using ::testing::HasSubstr;

TEST_F(LayeredDocumentTest, IsStoredWithEightBitsPackBitsChannelsLayerBoundsAndUnicodeNames) {
  BuildPlan("plan.psd");
  StoredDocument doc = PsdBytes(PosixPath("plan.psd")).parse();
  EXPECT_EQ(doc.depth, 8);
  EXPECT_EQ(doc.mergedChannels, 3);  // the background makes the merged picture opaque
  EXPECT_EQ(doc.mergedCompression, 1);
  ASSERT_EQ(doc.layers.size(), 3u);
  struct Expected {
    const char* recordName;
    std::u16string unicodeName;
    long top, left, bottom, right;
    std::vector<int> compressions;
  } expected[] = {
      {"Background", u"", 0, 0, static_cast<long>(kPlanHeight), static_cast<long>(kPlanWidth), {1, 1, 1, 1}},
      {kRoadUtf8, kRoadName, 0, 0, 1, 1, {1, 1, 1, 1}},  // nothing in it: one clear pixel
      {kTreesUtf8, kTreesName, 30, 20, 46, 51, {1, 1, 1, 1}},
  };
  for (size_t i = 0; i < doc.layers.size(); ++i) {
    SCOPED_TRACE(expected[i].recordName);
    const StoredLayer& layer = doc.layers[i];
    EXPECT_EQ(layer.recordName, expected[i].recordName);
    EXPECT_TRUE(layer.unicodeName == expected[i].unicodeName);
    EXPECT_EQ((std::vector<long>{layer.top, layer.left, layer.bottom, layer.right}),
              (std::vector<long>{expected[i].top, expected[i].left, expected[i].bottom, expected[i].right}));
    EXPECT_EQ(layer.compressions, expected[i].compressions);
  }
}

TEST_F(LayeredDocumentTest, ImageMagickReadsTheLayersTheirNamesPlacesAndPixels) {
  BuildPlan("plan.psd");
  std::vector<Magick::Image> images = ReadWithImageMagick(PosixPath("plan.psd"));
  ASSERT_GE(images.size(), 3u);
  const Magick::Image& merged = images[0];
  EXPECT_EQ(merged.columns(), kPlanWidth);
  EXPECT_EQ(Magick::ColorRGB(merged.pixelColor(75, 15)).red(), 1.0);      // the house
  EXPECT_EQ(Magick::ColorRGB(merged.pixelColor(22, 32)).green(), 128.0 / 255);  // a tree
  EXPECT_EQ(Magick::ColorRGB(merged.pixelColor(5, 5)).blue(), 1.0);       // white paper
  EXPECT_EQ(images[1].label(), "Background");
  const Magick::Image& trees = images.back();
  EXPECT_EQ(trees.label(), kTreesUtf8);
  EXPECT_EQ(trees.page().xOff(), 20u);
  EXPECT_EQ(trees.page().yOff(), 30u);
  EXPECT_EQ(trees.columns(), 31u);
  EXPECT_EQ(trees.rows(), 16u);
  for (auto& t : kTrees) {
    SCOPED_TRACE(::testing::Message() << "tree at " << t[0] << "," << t[1]);
    EXPECT_TRUE(Opaque(trees, t[0] - 20, t[1] - 30));
  }
  EXPECT_FALSE(Opaque(trees, 10, 0));  // between the trees
}

TEST_F(LayeredDocumentTest, ReadBackAndSavedAgainItKeepsEveryLayerAndPixel) {
  BuildPlan("plan.psd");
  ASSERT_EQ(Close(), "");
  ASSERT_EQ(Open("plan.psd"), "");
  auto documents = photoshop::Documents();
  ASSERT_EQ(documents.size(), 1u);
  EXPECT_EQ(documents[0].layers, (std::vector<std::string>{"Background", kRoadUtf8, kTreesUtf8}));
  EXPECT_TRUE(documents[0].hasBackground);
  ASSERT_EQ(SaveAsPsd("again.psd"), "");
  StoredDocument first = PsdBytes(PosixPath("plan.psd")).parse(), second = PsdBytes(PosixPath("again.psd")).parse();
  ASSERT_EQ(second.layers.size(), first.layers.size());
  for (size_t i = 0; i < first.layers.size(); ++i) {
    EXPECT_EQ(second.layers[i].left, first.layers[i].left);
    EXPECT_EQ(second.layers[i].bottom, first.layers[i].bottom);
  }
  std::vector<Magick::Image> before = ReadWithImageMagick(PosixPath("plan.psd"));
  std::vector<Magick::Image> after = ReadWithImageMagick(PosixPath("again.psd"));
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(after[i].compare(before[i])) << "picture " << i;
}

TEST_F(LayeredDocumentTest, APosterSizedDocumentIsSavedInEveryPictureType) {
  Magick::Image page(Magick::Geometry(6622, 4677), Magick::Color("white"));
  page.fillColor(Magick::Color("red"));
  page.draw(Magick::DrawableRectangle(6000, 4000, 6099, 4099));
  page.write(PosixPath("poster.png"));
  ASSERT_EQ(Open("poster.png"), "");
  ASSERT_EQ(SaveAsPsd("poster.psd"), "");
  {
    std::vector<Magick::Image> psd = ReadWithImageMagick(PosixPath("poster.psd"));  // rows of long runs
    ASSERT_EQ(psd.size(), 2u);
    EXPECT_EQ(Magick::ColorRGB(psd[1].pixelColor(6050, 4050)).green(), 0.0);
    EXPECT_EQ(Magick::ColorRGB(psd[1].pixelColor(5000, 4050)).green(), 1.0);
  }
  struct Case {
    const char* format;
    const char* file;
    const char* magick;
  } cases[] = {{"BMPF", "poster.bmp", "BMP3"}, {"JPEG", "poster.jpg", "JPEG"}, {"PNGF", "poster-saved.png", "PNG"},
               {"TrgF", "poster.tga", "TGA"}, {"TIFF", "poster.tif", "TIFF"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_EQ(SaveAs(c.file, c.format), "");
    Magick::Image written(PosixPath(c.file));
    EXPECT_EQ(written.magick(), c.magick);
    EXPECT_EQ(written.columns(), 6622u);
    EXPECT_EQ(written.rows(), 4677u);
    written.classType(Magick::DirectClass);  // a two-colour PNG comes as a palette
    const Magick::ColorRGB house = written.pixelColor(6050, 4050);
    EXPECT_GT(house.red(), 0.9);
    EXPECT_LT(house.green(), 0.1);
  }
}

// The names in a folder, sorted.
std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> found;
  for (auto& entry : fs::directory_iterator(folder)) found.push_back(entry.path().filename().string());
  std::sort(found.begin(), found.end());
  return found;
}

TEST_F(LayeredDocumentTest, OnAFullDiskTheSaveFailsNamingTheFileAndTheFileThereStaysWhole) {
  const rwtest::SmallDisk disk(folder_.path() / "full", rwtest::SmallDisk::Mode::Writable, 256);
  if (!disk.mounted()) GTEST_SKIP() << "no small file system can be mounted here";
  BuildPlan("full/plan.psd");  // fits while there is room
  ASSERT_EQ(SaveAs("full/plan.png", "PNGF"), "");
  const std::string psd = Bytes("full/plan.psd"), png = Bytes("full/plan.png");
  ASSERT_GT(psd.size(), 100u);
  disk.fill();
  struct Case {
    const char* file;
    std::function<std::string()> save;
  } cases[] = {
      {"full/plan.psd", [&] { return SaveAsPsd("full/plan.psd"); }},
      {"full/plan.png", [&] { return SaveAs("full/plan.png", "PNGF"); }},
      {"full/plan.png", [&] { return Play("save", [](IActionDescriptor*) {}); }},  // in place
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string reason = c.save();
    EXPECT_EQ(lastStatus_, E_FAIL);  // the call fails, as the editor's does
    EXPECT_THAT(reason, HasSubstr(WindowsPath(c.file)));
    EXPECT_THAT(reason, HasSubstr("No space left on device"));
  }
  EXPECT_EQ(Bytes("full/plan.psd"), psd);
  EXPECT_EQ(Bytes("full/plan.png"), png);
  EXPECT_EQ(NamesIn(disk.path()), (std::vector<std::string>{"filler", "plan.png", "plan.psd"}));  // no temporary file left
}

}  // namespace
