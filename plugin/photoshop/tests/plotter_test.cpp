// photoshopCreate on plot files made by the drawing editor's plotter: one
// drawing layer per plot, as the layer-by-layer plotting leaves them.
#include <arx/drawing.h>
#include <arx/plot.h>
#include <dbmain.h>

#include <list>

#include "bridge_fixture.h"
#include "photoshop/photoshop_workflow.h"
#include "testing/case_name.h"

namespace {

struct DeviceCase {
  const char* name;
  const char* device;
  const char* type;
};

class PlotterTest : public BridgeTest, public ::testing::WithParamInterface<DeviceCase> {
 protected:
  // Plot file `index`: a drawing with one layer (colour index 1 + index) and
  // one diagonal line on it, plotted through the same window.
  void Plot(int index, const std::string& layer) {
    AcDbDatabase db;
    arx::addLayer(db, arx::Layer{layer, 1 + index});
    arx::addEntity(db, arx::LineShape{{10.0 * index, 0}, {10.0 * index + 40, 30}}, layer);
    arx::PageSetup& setup = arx::pageSetup(db);
    setup.plotType = arx::PlotType::Window;
    setup.windowMin = {0, 0};
    setup.windowMax = {80, 60};
    setup.plotCfgName = GetParam().device;
    setup.canonicalMediaName = arx::findPlotDevice(GetParam().device)->media.front().canonicalName;
    const std::string file = Posix("site(Layer" + std::to_string(index) + ")." + GetParam().type);
    arx::FileResult result = arx::plotLayout(db, file);
    ASSERT_TRUE(result.ok) << result.error;
  }
};

TEST_P(PlotterTest, ThreePlotsMakeABackgroundAndThreeNamedLayersInOrder) {
  const std::vector<std::string> names = {"Walls", "Doors", "Text"};
  for (int i = 0; i < 3; ++i) Plot(i, names[i]);
  ASSERT_TRUE(photoshopCreate(LayerPlots{"D:\\site", GetParam().type, names, 72}));
  std::list<Magick::Image> images;
  Magick::readImages(&images, Posix("site.psd"));
  ASSERT_EQ(images.size(), 5u);  // the merged picture and four layers
  images.pop_front();
  std::vector<std::string> labels;
  for (auto& image : images) labels.push_back(image.label());
  EXPECT_EQ(labels, (std::vector<std::string>{"Background", "ACAD_Walls", "ACAD_Doors", "ACAD_Text"}));
  // The top-left corner is paper on every plot: transparent unless EPS keeps it.
  const bool paperKept = std::string(GetParam().type) == "eps";
  for (auto& image : images) {
    const bool opaque = Magick::ColorRGB(image.pixelColor(0, 0)).alpha() < 0.5;  // ImageMagick 6: opacity
    EXPECT_EQ(opaque, image.label() == "Background" || paperKept) << image.label();
    if (image.label() != "Background" && !paperKept) {
      Magick::Image drawing = image;
      drawing.trim();  // down to what is not paper: the layer's line
      EXPECT_GT(drawing.columns(), 10u) << image.label();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Devices, PlotterTest,
                         ::testing::Values(DeviceCase{"png", "PublishToWeb PNG.pc3", "png"},
                                           DeviceCase{"tif", "TIFF Version 6 (Uncompressed).pc3", "tif"},
                                           DeviceCase{"eps", "PostScript Level 2.pc3", "eps"}),
                         rwtest::CaseName());

}  // namespace
