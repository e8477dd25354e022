// runLayerImage with the image editors' own create steps: Photoshop stacks
// the layer plots into the layered document; an editor that is not there
// leaves the plots for the user after its message.
#include <gmock/gmock.h>
#include <Magick++.h>
#include <photoshop/server.h>

#include <list>

#include "plot/tests/editor_fixture.h"
#include "photoshop/photoshop_automation.h"
#include "workflow/layer_image.h"
#include "plot/plot_layers.h"
#include "plot/plot_object.h"

namespace {

using ::testing::HasSubstr;

class EditorStepsTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    photoshop::Install();
    AddLayer("Walls", 1);
    AddLayer("Doors", 3);
    AddLine("Walls", {10, 10}, {90, 10});
    AddLine("Doors", {10, 30}, {90, 70});
    SetPageSetup("PublishToWeb PNG.pc3", {0, 0}, {100, 80});
    ASSERT_TRUE(acquirePlotObject());
    ASSERT_TRUE(collectPlotLayers(PlotWindow{{0, 0}, {100, 80}}));
  }
  void TearDown() override {
    if (thePhotoshopConnection.application != nullptr) psDisconnect();
    photoshop::Install();  // quits the editor left running for the user
    theGimpCreateStep = nullptr;
    releasePlotObject();
    thePlotLayerList.clear();
    EditorTest::TearDown();
  }
};

TEST_F(EditorStepsTest, PhotoshopStacksOneLayerPerDrawingLayerAndThePlotsGo) {
  ASSERT_TRUE(runLayerImage(kProgramPhotoshop, "D:\\site", "png")) << Transcript();
  std::list<Magick::Image> images;
  Magick::readImages(&images, Posix("site.psd"));
  ASSERT_EQ(images.size(), 4u);  // the merged picture, the background and two layers
  images.pop_front();
  std::vector<std::string> labels;
  for (auto& image : images) labels.push_back(image.label());
  EXPECT_EQ(labels, (std::vector<std::string>{"Background", "ACAD_Walls", "ACAD_Doors"}));
  EXPECT_FALSE(Exists("site(Layer0).png"));
  EXPECT_FALSE(Exists("site(Layer1).png"));
}

TEST_F(EditorStepsTest, MissingEditorShowsItsMessageAndLeavesThePlots) {
  const struct {
    ProgramKind editor;
    const char* message;
  } cases[] = {{kProgramPhotoshop, "Photoshop is not available"}, {kProgramGimp, "Gimp is not available"}};
  photoshop::Uninstall();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_FALSE(runLayerImage(c.editor, "D:\\site", "png"));
    EXPECT_THAT(Transcript(), HasSubstr(c.message));
    EXPECT_TRUE(Exists("site(Layer0).png"));
    EXPECT_TRUE(Exists("site(Layer1).png"));
    EXPECT_EQ(thePlotLayerList.size(), 2u);
  }
}

TEST_F(EditorStepsTest, TheGimpStepIsTheOneTheBridgeProvides) {
  std::string called;
  theGimpCreateStep = [&](const std::string& basePath, const std::string& type) {
    called = basePath + "|" + type;
    return true;
  };
  ASSERT_TRUE(runLayerImage(kProgramGimp, "D:\\site", "png"));
  EXPECT_EQ(called, "D:\\site|png");
  EXPECT_TRUE(thePlotLayerList.empty());
}

}  // namespace
