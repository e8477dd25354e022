// The editor's automation plot object: taken through the application object,
// released on every failing step, plotting to a file and previewing.
#include <gmock/gmock.h>

#include "editor_fixture.h"
#include "plot/plot_object.h"

namespace {

using ::testing::HasSubstr;

class PlotObjectTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    AddLayer("Walls", 1);
    AddLine("Walls", {10, 10}, {90, 70});
    SetPageSetup("PublishToWeb PNG.pc3", {0, 0}, {100, 80});
    baseline_ = arx::automationReferences();
  }
  void TearDown() override {
    releasePlotObject();
    arx::setAutomationFault(arx::AutomationFault::None);
    EditorTest::TearDown();
  }
  long baseline_ = 0;
};

TEST_F(PlotObjectTest, HeldUntilReleasedWithoutLeakingReferences) {
  ASSERT_TRUE(acquirePlotObject());
  EXPECT_TRUE(hasPlotObject());
  EXPECT_GT(arx::automationReferences(), baseline_);
  releasePlotObject();
  EXPECT_FALSE(hasPlotObject());
  EXPECT_EQ(arx::automationReferences(), baseline_);
}

TEST_F(PlotObjectTest, EveryFailingStepLeavesNothingHeld) {
  for (auto fault : {arx::AutomationFault::NoApplicationInterface, arx::AutomationFault::NoActiveDocument,
                     arx::AutomationFault::NoPlotObject}) {
    arx::setAutomationFault(fault);
    EXPECT_FALSE(acquirePlotObject()) << static_cast<int>(fault);
    EXPECT_FALSE(hasPlotObject());
    EXPECT_EQ(arx::automationReferences(), baseline_) << static_cast<int>(fault);
  }
}

TEST_F(PlotObjectTest, WithoutTheEditorsApplicationObjectThereIsNoPlotObject) {
  arx::setAcadWinApp(nullptr);
  EXPECT_FALSE(acquirePlotObject());
  EXPECT_FALSE(plotFile("D:\\site.png"));
  EXPECT_FALSE(Exists("site.png"));
}

TEST_F(PlotObjectTest, PlotsTheLayoutToTheFileWithOrWithoutAHeldObject) {
  ASSERT_TRUE(plotFile("D:\\taken for one plot.png"));
  EXPECT_EQ(arx::automationReferences(), baseline_);
  ASSERT_TRUE(acquirePlotObject());
  ASSERT_TRUE(plotFile("D:\\held.png"));
  for (const char* name : {"taken for one plot.png", "held.png"}) {
    SCOPED_TRACE(name);
    const auto picture = arx::readPlotPicture(Posix(name));
    ASSERT_TRUE(picture) << name;
    EXPECT_EQ(picture->width, 640);
  }
}

TEST_F(PlotObjectTest, AFailedPlotIsReported) {
  SetPageSetup("None", {0, 0}, {100, 80});
  ASSERT_TRUE(acquirePlotObject());
  EXPECT_FALSE(plotFile("D:\\site.png"));
  EXPECT_FALSE(Exists("site.png"));
}

// A plot that raises an error frees its two strings (the program runs under
// LeakSanitizer where the compiler has it) and the plot object it took.
TEST_F(PlotObjectTest, APlotThatRaisesAnErrorLeavesNoStringOrReferenceBehind) {
  UseDriver(std::make_unique<JammingDriver>(1));
  EXPECT_THROW(plotFile("D:\\taken for one plot.png"), std::runtime_error);
  EXPECT_EQ(arx::automationReferences(), baseline_);
  ASSERT_TRUE(acquirePlotObject());
  EXPECT_THROW(plotFile("D:\\held.png"), std::runtime_error);
  EXPECT_TRUE(hasPlotObject());
}

TEST_F(PlotObjectTest, PreviewShowsTheLayout) {
  ASSERT_TRUE(acquirePlotObject());
  previewPlot();
  EXPECT_THAT(Transcript(), HasSubstr("preview"));
}

}  // namespace
