// The plot window, device and paper of the active layout's page setup, the
// plot file type, and the PostScript resolution.
#include <acaplmgr.h>

#include <cmath>
#include <numbers>

#include "editor_fixture.h"
#include "plot/plot_window.h"

namespace {

using PlotWindowTest = EditorTest;

// The model layout can be opened for write: nobody left it open.
void ExpectLayoutClosed() {
  auto* manager = static_cast<AcApLayoutManager*>(acdbHostApplicationServices()->layoutManager());
  AcDbLayout* layout = nullptr;
  ASSERT_EQ(manager->getLayoutNamed("Model", layout, AcDb::kForWrite), Acad::eOk);
  layout->close();
}

TEST_F(PlotWindowTest, OnlyAWindowPlotAreaIsReadAndTheLayoutIsClosedEitherWay) {
  const struct {
    arx::PlotType type;
    bool read;
  } cases[] = {{arx::PlotType::Display, false}, {arx::PlotType::Extents, false}, {arx::PlotType::Limits, false},
               {arx::PlotType::View, false},    {arx::PlotType::Window, true},   {arx::PlotType::Layout, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "plot type " << static_cast<int>(c.type));
    SetPageSetup("PublishToWeb PNG.pc3", {1, 2}, {30, 40}, c.type);
    PlotWindow window;
    EXPECT_EQ(readPlotWindow(window), c.read) << static_cast<int>(c.type);
    if (c.read) {
      EXPECT_EQ(window.first.x, 1);
      EXPECT_EQ(window.first.y, 2);
      EXPECT_EQ(window.second.x, 30);
      EXPECT_EQ(window.second.y, 40);
    }
    ExpectLayoutClosed();
  }
}

TEST_F(PlotWindowTest, ALayoutThatCannotBeOpenedCountsAsNoWindowAndNoDevice) {
  SetPageSetup("PublishToWeb PNG.pc3", {1, 2}, {30, 40});
  auto* manager = static_cast<AcApLayoutManager*>(acdbHostApplicationServices()->layoutManager());
  const AcDbObjectId layoutId = manager->findLayoutId("Model");
  arx::refuseOpen(layoutId, AcDb::kForRead, Acad::eWasOpenForWrite);
  PlotWindow window;
  EXPECT_FALSE(readPlotWindow(window));
  arx::clearRefusals();
  arx::refuseOpen(layoutId, AcDb::kForWrite, Acad::eWasOpenForRead);
  std::string device, paper;
  EXPECT_FALSE(readPlotDevice(device, paper));
  EXPECT_EQ(device, "");
}

TEST_F(PlotWindowTest, DeviceAndLocalePaperNameOfTheLayout) {
  SetPageSetup("PostScript Level 2.pc3", {0, 0}, {10, 10});
  refreshPlotDeviceLists();
  std::string device, paper;
  ASSERT_TRUE(readPlotDevice(device, paper));
  EXPECT_EQ(device, "PostScript Level 2.pc3");
  EXPECT_EQ(paper, "ISO A4 (297.00 x 210.00 MM)");
  ExpectLayoutClosed();
}

TEST_F(PlotWindowTest, UnknownMediumKeepsTheDeviceNameReadBeforeIt) {
  SetPageSetup("PublishToWeb PNG.pc3", {0, 0}, {10, 10});
  arx::pageSetup(Drawing()).canonicalMediaName = "Napkin";
  std::string device, paper = "as before";
  EXPECT_FALSE(readPlotDevice(device, paper));
  EXPECT_EQ(device, "PublishToWeb PNG.pc3");
  EXPECT_EQ(paper, "as before");
  ExpectLayoutClosed();
}

TEST_F(PlotWindowTest, TwistedViewGivesTheEditorsPointsUnsorted) {
  arx::view(Drawing()).twist = std::numbers::pi / 2;  // display = world turned by 90 degrees
  PlotWindow window{{2, 3}, {10, 10}};
  plotWindowToWorld(window);
  EXPECT_NEAR(window.first.x, 3, 1e-9);
  EXPECT_NEAR(window.first.y, -2, 1e-9);
  EXPECT_NEAR(window.second.x, 10, 1e-9);
  EXPECT_NEAR(window.second.y, -10, 1e-9);  // below the first corner: not re-sorted
}

TEST(PlotFileType, TheDeviceNameDecidesTheType) {
  const struct {
    const char* device;
    const char* type;
  } cases[] = {
      {"PublishToWeb PNG.pc3", "png"},
      {"publishtoweb png.pc3", "png"},
      {"PublishToWeb JPG.pc3", "jpg"},
      {"TIFF Version 6 (Uncompressed).pc3", "tif"},
      {"PostScript Level 2.pc3", "eps"},
      {"POSTSCRIPT.pc3", "eps"},
      {"TIFF or PNG", "png"},      // png is tested first
      {"None", "bmp-before"},      // none of the words: the previous type stays
      {"DWF6 ePlot.pc3", "bmp-before"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device);
    std::string type = "bmp-before", path = "C:\\plans\\site";
    plotFileType(c.device, path, type);
    EXPECT_EQ(type, c.type) << c.device;
  }
}

TEST(PlotFileType, AnExtensionEqualToTheTypeIsStripped) {
  const struct {
    const char* device;
    const char* path;
    const char* stripped;
  } cases[] = {
      {"PostScript Level 2.pc3", "C:\\plans\\site.eps", "C:\\plans\\site"},
      {"TIFF Version 6 (Uncompressed).pc3", "C:\\plans\\site.eps", "C:\\plans\\site.eps"},
      {"PostScript Level 2.pc3", "C:\\plans\\site.EPS", "C:\\plans\\site.EPS"},
      {"PostScript Level 2.pc3", "C:\\plans\\site", "C:\\plans\\site"},
      {"PostScript Level 2.pc3", "C:\\plans.eps\\site", "C:\\plans.eps\\site"},
      {"PublishToWeb PNG.pc3", "C:\\plans\\site.v2.png", "C:\\plans\\site.v2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.device << ", " << c.path);
    std::string type, path = c.path;
    plotFileType(c.device, path, type);
    EXPECT_EQ(path, c.stripped) << c.path << " with " << type;
  }
}

TEST(PostScriptResolution, PixelsPerCentimetreAreTurnedIntoPixelsPerInch) {
  const struct {
    double resolution;
    ResolutionUnit unit;
    double perInch;
  } cases[] = {{100, kUnitPixelPerCm, 254.0}, {100, kUnitPixelPerInch, 100.0}, {72, kUnitPixelPerInch, 72.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.resolution << " unit " << c.unit);
    theSettings.psResolution = c.resolution;
    theSettings.resolutionUnit = c.unit;
    EXPECT_DOUBLE_EQ(postScriptResolution(), c.perInch);
  }
}

}  // namespace
