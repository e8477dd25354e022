// Layer-by-layer plotting on a real drawing: the layers met in the window,
// one real plot file per layer with only that layer drawn, the editor step,
// and the drawing's state restored on every way out.
#include <gmock/gmock.h>
#include <acedads.h>

#include <stdexcept>

#include "editor_fixture.h"
#include "workflow/layer_image.h"
#include "plot/plot_layers.h"
#include "plot/plot_object.h"
#include "raster/layers.h"

namespace {

using ::testing::HasSubstr;

constexpr const char* kDevice = "PublishToWeb PNG.pc3";

// Number of pixels of a picture file in one of the pure colours of the ACI
// indexes 1 (red), 3 (green) and 5 (blue): 0, 1 or 2 as the channel.
int PixelsOfChannel(const std::string& path, int channel) {
  const auto picture = arx::readPlotPicture(path);
  if (!picture) return -1;
  int count = 0;
  for (int y = 0; y < picture->height; ++y) {
    for (int x = 0; x < picture->width; ++x) {
      const unsigned char* p = picture->at(x, y);
      bool pure = p[channel] > 200;
      for (int other = 0; other < 3; ++other) pure = pure && (other == channel || p[other] < 60);
      count += pure;
    }
  }
  return count;
}

short BackgroundPlot() {
  resbuf value{};
  acedGetVar("BACKGROUNDPLOT", &value);
  return value.resval.rint;
}

void SetBackgroundPlot(short value) {
  resbuf setting{};
  setting.restype = RTSHORT;
  setting.resval.rint = value;
  acedSetVar("BACKGROUNDPLOT", &setting);
}

bool Plottable(AcDbObjectId layer) {
  bool on = false;
  EXPECT_TRUE(readLayerPlottable(layer, on));
  return on;
}

std::size_t Count(const std::string& text, const std::string& word) {
  std::size_t n = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

// A drawing with layers A (red), B (green) and the non-plottable C (blue),
// entities met in the order A, B, A, C inside the window (0,0)-(100,80), and
// one on layer D outside it.
class LayerPlotTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    a_ = AddLayer("A", 1);
    b_ = AddLayer("B", 3);
    c_ = AddLayer("C", 5, false);
    d_ = AddLayer("D", 2);
    AddLine("A", {10, 10}, {40, 10});
    AddLine("B", {10, 30}, {90, 70});
    AddLine("A", {50, 60}, {90, 20});
    AddLine("C", {20, 50}, {60, 50});
    AddLine("D", {500, 500}, {600, 600});
    SetPageSetup(kDevice, {0, 0}, {100, 80});
    window_ = PlotWindow{{0, 0}, {100, 80}};
    SetBackgroundPlot(2);
    thePlotLayerList.clear();
  }
  void TearDown() override {
    releasePlotObject();
    thePlotLayerList.clear();
    EditorTest::TearDown();
  }

  AcDbObjectId a_, b_, c_, d_;
  PlotWindow window_;
};

TEST_F(LayerPlotTest, EachPlottableLayerInTheWindowOnceInTheOrderMet) {
  ASSERT_TRUE(collectPlotLayers(window_));
  EXPECT_EQ(thePlotLayerList.names, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(thePlotLayerList.ids, (std::vector<AcDbObjectId>{a_, b_}));
}

TEST_F(LayerPlotTest, NothingInTheWindowSelectsNothing) {
  thePlotLayerList.ids.push_back(a_);  // left from an earlier run
  thePlotLayerList.names.push_back("A");
  EXPECT_FALSE(collectPlotLayers(PlotWindow{{200, 200}, {300, 300}}));
  EXPECT_TRUE(thePlotLayerList.empty());
}

TEST_F(LayerPlotTest, CompletedRunPlotsEachLayerAloneAndRemovesThePlots) {
  ASSERT_TRUE(acquirePlotObject());
  ASSERT_TRUE(collectPlotLayers(window_));
  int steps = 0;
  auto editor = [&](const std::string& basePath, const std::string& type) {
    ++steps;
    EXPECT_EQ(basePath, "D:\\site");
    EXPECT_EQ(type, "png");
    // Layer 0 is A (red only), layer 1 is B (green only); C and D nowhere.
    EXPECT_GT(PixelsOfChannel(Posix("site(Layer0).png"), 0), 0);
    EXPECT_EQ(PixelsOfChannel(Posix("site(Layer0).png"), 1), 0);
    EXPECT_GT(PixelsOfChannel(Posix("site(Layer1).png"), 1), 0);
    EXPECT_EQ(PixelsOfChannel(Posix("site(Layer1).png"), 0), 0);
    for (const char* plot : {"site(Layer0).png", "site(Layer1).png"}) {
      SCOPED_TRACE(plot);
      EXPECT_EQ(PixelsOfChannel(Posix(plot), 2), 0) << plot;
    }
    EXPECT_FALSE(Exists("site(Layer2).png"));
    return true;
  };
  ASSERT_TRUE(runLayerImage(editor, "D:\\site", "png"));
  EXPECT_EQ(steps, 1);
  EXPECT_FALSE(Exists("site(Layer0).png"));
  EXPECT_FALSE(Exists("site(Layer1).png"));
  EXPECT_TRUE(thePlotLayerList.empty());
  // Background plotting was off for each plot and is back; the flags are as before.
  EXPECT_EQ(Count(Transcript(), "backgroundplot=0 -> ok"), 2u) << Transcript();
  EXPECT_EQ(BackgroundPlot(), 2);
  EXPECT_TRUE(Plottable(a_));
  EXPECT_TRUE(Plottable(b_));
  EXPECT_FALSE(Plottable(c_));
  EXPECT_TRUE(Plottable(d_));
}

TEST_F(LayerPlotTest, EditorFailureKeepsThePlotsAndALaterEmptyRunPlotsNothing) {
  ASSERT_TRUE(collectPlotLayers(window_));
  EXPECT_FALSE(runLayerImage([](const std::string&, const std::string&) { return false; }, "D:\\site", "png"));
  EXPECT_TRUE(Exists("site(Layer0).png"));
  EXPECT_TRUE(Exists("site(Layer1).png"));
  EXPECT_EQ(thePlotLayerList.size(), 2u);

  const std::size_t plotsBefore = Count(Transcript(), "plot file=");
  EXPECT_FALSE(collectPlotLayers(PlotWindow{{200, 200}, {300, 300}}));
  bool stepRan = false;
  EXPECT_FALSE(runLayerImage(
      [&](const std::string&, const std::string&) { return stepRan = true; }, "D:\\site", "png"));
  EXPECT_FALSE(stepRan);
  EXPECT_EQ(Count(Transcript(), "plot file="), plotsBefore);
  EXPECT_THAT(Transcript(), HasSubstr("The operation cannot be completed because nothing was selected"));
  EXPECT_THAT(Transcript(), HasSubstr("caption=\"Rasterwerk\" buttons=ok"));
}

TEST_F(LayerPlotTest, AnExceptionDuringThePlotsStillRestoresFlagsAndBackgroundPlot) {
  ASSERT_TRUE(collectPlotLayers(window_));
  UseDriver(std::make_unique<JammingDriver>(2));
  EXPECT_THROW(plotLayers("D:\\site", "png"), std::runtime_error);
  EXPECT_TRUE(Plottable(a_));
  EXPECT_TRUE(Plottable(b_));
  EXPECT_FALSE(Plottable(c_));
  EXPECT_EQ(BackgroundPlot(), 2);
}

TEST_F(LayerPlotTest, ALayerThatCannotBeOpenedForWriteKeepsItsFlagAndTheOthersArePlotted) {
  ASSERT_TRUE(collectPlotLayers(window_));
  arx::refuseOpen(a_, AcDb::kForWrite, Acad::eWasOpenForRead);
  plotLayers("D:\\site", "png");
  EXPECT_EQ(Count(Transcript(), "plot file="), 2u);
  EXPECT_GT(PixelsOfChannel(Posix("site(Layer1).png"), 1), 0);
  EXPECT_TRUE(Plottable(a_));
  EXPECT_TRUE(Plottable(b_));
}

}  // namespace
