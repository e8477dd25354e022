// The image layer and its colour: the settings' layer or the current one, and
// the companion's layer dialog.
#include <acedads.h>
#include <arx/host.h>

#include "plot/tests/editor_fixture.h"
#include "plot/plot_layers.h"
#include "raster/layers.h"

namespace {

class LayersTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    theSettings.applicationKey = "TAVO_IMGCREATE";
    theSettings.userIniFolder = folder_.windows("user") + "\\";
    theSettings.imageLayerName.clear();
    theSettings.layerKey.clear();
    arx::setUserDirectory(theSettings.userIniFolder);
    ASSERT_TRUE(arx::loadApplication(win32::ToWindowsPath(COMPANION_MODULE)).ok);
  }
  void TearDown() override {
    arx::unloadAllApplications();
    EditorTest::TearDown();
  }
};

TEST_F(LayersTest, ColourIndexGivesTheEditorsRgbWithRedInTheLowByte) {
  AddLayer("Red", 1);
  AddLayer("Blue", 5);
  const struct {
    const char* layer;
    long rgb;
  } cases[] = {{"Red", 0x0000FF}, {"Blue", 0xFF0000}, {"0", 0xFFFFFF}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layer);
    long rgb = -1;
    ASSERT_TRUE(layerColour(c.layer, rgb)) << c.layer;
    EXPECT_EQ(rgb, c.rgb) << c.layer;
  }
  long rgb = 42;
  EXPECT_FALSE(layerColour("Missing", rgb));
  EXPECT_EQ(rgb, 42);
}

TEST_F(LayersTest, MissingSettingsLayerOffersTheCurrentLayerWithItsColour) {
  theSettings.imageLayerName = "Photo";
  std::string name;
  long rgb = -1;
  resolveImageLayer(name, rgb);
  EXPECT_EQ(name, "0");
  EXPECT_EQ(rgb, 0xFFFFFF);
  EXPECT_EQ(theSettings.imageLayerName, "Photo");
}

TEST_F(LayersTest, ExistingSettingsLayerIsOffered) {
  AddLayer("Photo", 1);
  theSettings.imageLayerName = "Photo";
  std::string name;
  long rgb = -1;
  resolveImageLayer(name, rgb);
  EXPECT_EQ(name, "Photo");
  EXPECT_EQ(rgb, 0x0000FF);
}

TEST_F(LayersTest, CancelledLayerDialogChangesNothing) {
  Answer("layerdialog cancel\n");
  std::string name = "Photo", key = "IMG";
  long rgb = 0x123456;
  EXPECT_FALSE(chooseImageLayer(name, key, rgb));
  EXPECT_EQ(name, "Photo");
  EXPECT_EQ(key, "IMG");
  EXPECT_EQ(rgb, 0x123456);
}

TEST_F(LayersTest, ChosenLayerIsMadeAndItsNameKeyAndColourReturned) {
  Answer("layerdialog IMG Bilder\n");
  std::string name, key;
  long rgb = -1;
  ASSERT_TRUE(chooseImageLayer(name, key, rgb)) << Transcript();
  EXPECT_EQ(name, "Bilder");
  EXPECT_EQ(key, "IMG");
  long expected = -2;
  ASSERT_TRUE(layerColour("Bilder", expected));
  EXPECT_EQ(rgb, expected);
  // The key now names that layer for the next opening of the dialog.
  theSettings.layerKey = "IMG";
  std::string offered;
  resolveImageLayer(offered, rgb);
  EXPECT_EQ(offered, "Bilder");
}

TEST_F(LayersTest, PlottableFlagReadAndSet) {
  const AcDbObjectId layer = AddLayer("Walls", 1);
  bool on = false;
  ASSERT_TRUE(readLayerPlottable(layer, on));
  EXPECT_TRUE(on);
  ASSERT_TRUE(setLayerPlottable(layer, false));
  ASSERT_TRUE(readLayerPlottable(layer, on));
  EXPECT_FALSE(on);
  arx::refuseOpen(layer, AcDb::kForWrite, Acad::eWasOpenForRead);
  EXPECT_FALSE(setLayerPlottable(layer, true));
  ASSERT_TRUE(readLayerPlottable(layer, on));
  EXPECT_FALSE(on);
}

}  // namespace
