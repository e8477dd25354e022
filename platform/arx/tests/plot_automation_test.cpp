// The automation chain a module plots through: application -> document -> plot.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "arx/automation.h"
#include "arx/drawing.h"
#include "arx/host.h"
#include "arx/plot.h"
#include "testing/scripted_user.h"
#include "testing/transcript.h"
#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace fs = std::filesystem;

namespace {

using ::testing::HasSubstr;

std::u16string wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

class PlotAutomation : public ::testing::Test {
 protected:
  void SetUp() override {
    arx::newDrawing();
    arx::addLayer(arx::workingDrawing(), {"RED", 1, true, true, false});
    arx::addEntity(arx::workingDrawing(), arx::LineShape{{10, 10}, {50, 10}}, "RED");
    arx::PageSetup& setup = arx::pageSetup(arx::workingDrawing());
    setup = {"Model", arx::PlotType::Window, {0, 0}, {64, 48}, "PublishToWeb PNG.pc3", "VGA_(640.00_x_480.00_Pixels)", false, {}};
    user_.answer(answers());
  }
  void TearDown() override { arx::setAutomationFault(arx::AutomationFault::None); }
  virtual std::string answers() const { return ""; }

  // The chain as a module walks it; null when a step fails.
  IAcadPlot* acquirePlot() {
    IDispatch* dispatch = arx::applicationDispatch();
    IAcadApplication* application = nullptr;
    HRESULT hr = dispatch->QueryInterface(IID_IAcadApplication, reinterpret_cast<void**>(&application));
    dispatch->Release();
    if (FAILED(hr)) return nullptr;
    IAcadDocument* document = nullptr;
    hr = application->get_ActiveDocument(&document);
    application->Release();
    if (FAILED(hr)) return nullptr;
    IAcadPlot* plot = nullptr;
    hr = document->get_Plot(&plot);
    document->Release();
    return SUCCEEDED(hr) ? plot : nullptr;
  }

  VARIANT_BOOL plotToFile(IAcadPlot* plot, const std::string& windowsPath, const std::string& device = "") {
    BSTR file = SysAllocString(wide(windowsPath).c_str());
    VARIANT configuration;
    VariantInit(&configuration);
    configuration.vt = VT_BSTR;
    configuration.bstrVal = SysAllocString(wide(device).c_str());
    VARIANT_BOOL success = VARIANT_FALSE;
    EXPECT_EQ(plot->PlotToFile(file, configuration, &success), S_OK);
    SysFreeString(file);
    VariantClear(&configuration);
    return success;
  }

  std::string windowsPath(const std::string& name) const { return win32::ToWindowsPath((dir_ / name).string()); }

  rwtest::TempFolder folder_{"rw-automation"};
  const fs::path dir_ = folder_.path();
  rwtest::ScriptedUser user_;
};

TEST_F(PlotAutomation, PlotsToTheFileBeforeReturningAndReleasesEverything) {
  const long before = arx::automationReferences();
  IAcadPlot* plot = acquirePlot();
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(arx::automationReferences(), before + 1);
  EXPECT_EQ(plotToFile(plot, windowsPath("site(Layer0).png")), VARIANT_TRUE);
  EXPECT_TRUE(fs::exists(dir_ / "site(Layer0).png"));
  const auto picture = arx::readPlotPicture((dir_ / "site(Layer0).png").string());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 640);
  plot->Release();
  EXPECT_EQ(arx::automationReferences(), before);
  EXPECT_THAT(user_.transcript(), HasSubstr("plot file=\"" + windowsPath("site(Layer0).png") + "\" backgroundplot=2 -> ok"));
}

TEST_F(PlotAutomation, ConfigurationNamesAnotherDevice) {
  IAcadPlot* plot = acquirePlot();
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(plotToFile(plot, windowsPath("other.tif"), "TIFF Version 6 (Uncompressed).pc3"), VARIANT_TRUE);
  EXPECT_EQ(plotToFile(plot, windowsPath("bad.png"), "Unknown Plotter.pc3"), VARIANT_FALSE);
  plot->Release();
  EXPECT_TRUE(fs::exists(dir_ / "other.tif"));
  EXPECT_FALSE(fs::exists(dir_ / "bad.png"));
}

TEST_F(PlotAutomation, FailuresAreReportedNotHidden) {
  IAcadPlot* plot = acquirePlot();
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(plotToFile(plot, windowsPath("no-folder/x.png")), VARIANT_FALSE);
  EXPECT_EQ(plotToFile(plot, "\\\\server\\share\\x.png"), VARIANT_FALSE);
  EXPECT_EQ(plotToFile(plot, ""), VARIANT_FALSE);
  arx::pageSetup(arx::workingDrawing()).plotCfgName = "None";
  EXPECT_EQ(plotToFile(plot, windowsPath("none.png")), VARIANT_FALSE);
  EXPECT_EQ(plot->PlotToFile(nullptr, VARIANT{}, nullptr), E_POINTER);
  plot->Release();
  EXPECT_THAT(user_.transcript(), HasSubstr("cmdline | Plot failed: "));
}

TEST_F(PlotAutomation, EachStepCanFail) {
  for (arx::AutomationFault fault : {arx::AutomationFault::NoApplicationInterface, arx::AutomationFault::NoActiveDocument,
                                     arx::AutomationFault::NoPlotObject}) {
    const long before = arx::automationReferences();
    arx::setAutomationFault(fault);
    EXPECT_EQ(acquirePlot(), nullptr);
    EXPECT_EQ(arx::automationReferences(), before) << "nothing stays referenced";
  }
}

class PlotPreview : public PlotAutomation {
 protected:
  std::string answers() const override { return "dialog plotpreview close\n"; }
};

TEST_F(PlotPreview, ShowsThePictureUntilClosedThenRemovesIt) {
  IAcadPlot* plot = acquirePlot();
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(plot->DisplayPlotPreview(acFullPreview), S_OK);
  plot->Release();
  const std::string transcript = user_.transcript();
  const size_t at = transcript.find("plotpreview picture=\"");
  ASSERT_NE(at, std::string::npos) << transcript;
  const size_t start = at + 21;
  const std::string picture = transcript.substr(start, transcript.find('"', start) - start);
  EXPECT_THAT(transcript, HasSubstr("size=640x480"));
  EXPECT_THAT(transcript, HasSubstr("input plotpreview -> close"));
  EXPECT_THAT(transcript, HasSubstr("plotpreview closed"));
  EXPECT_FALSE(fs::exists(picture)) << picture;
  EXPECT_TRUE(user_.remainingAnswers().empty());
}

// The preview's input follows the one rule set of dialogs and forms: its one
// control is its Close button, input to any other is ignored and the preview
// stays open until it is closed; with no input left it is closed as by its
// close box.
class PlotPreviewInput : public PlotAutomation {
 protected:
  std::string answers() const override {
    return "dialog plotpreview click 1\ndialog plotpreview key 2 Escape\ndialog plotpreview mouse 5 5\n"
           "dialog plotpreview close\ndialog plotpreview click close\n";
  }
};

TEST_F(PlotPreviewInput, OnlyClosingEndsIt) {
  IAcadPlot* plot = acquirePlot();
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(plot->DisplayPlotPreview(acFullPreview), S_OK);
  EXPECT_THAT(user_.transcript(),
              rwtest::HasSubstrsInOrder({"input plotpreview -> click 1\n", "dialog plotpreview: ignored, no control 1\n",
                                         "input plotpreview -> key 2 Escape\n", "dialog plotpreview: ignored, no control 2\n",
                                         "input plotpreview -> mouse 5 5\n", "dialog plotpreview: ignored, the preview takes no clicks\n",
                                         "input plotpreview -> close\n", "plotpreview closed\n"}));
  EXPECT_EQ(user_.remainingAnswers().size(), 1u);  // the click on Close is for a second preview
  EXPECT_EQ(plot->DisplayPlotPreview(acFullPreview), S_OK);
  EXPECT_THAT(user_.transcript(), HasSubstr("input plotpreview -> click close\nplotpreview closed\n"));
  EXPECT_TRUE(user_.remainingAnswers().empty());
  EXPECT_EQ(plot->DisplayPlotPreview(acFullPreview), S_OK);  // no input left: closed at once
  EXPECT_THAT(user_.transcript(), ::testing::EndsWith("input plotpreview -> no answer\nplotpreview closed\n"));
  plot->Release();
}

TEST_F(PlotPreview, DeviceNoneHasNoPreview) {
  arx::pageSetup(arx::workingDrawing()).plotCfgName = "None";
  IAcadPlot* plot = acquirePlot();
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(plot->DisplayPlotPreview(acFullPreview), E_FAIL);
  plot->Release();
  EXPECT_THAT(user_.transcript(), HasSubstr("cmdline | Plot preview failed: "));
}

}  // namespace

namespace {

TEST_F(PlotPreview, HostCommandsPlotAndPreview) {
  const arx::HostCommand* plotCommand = arx::findHostCommand("plot");
  const arx::HostCommand* previewCommand = arx::findHostCommand("PREVIEW");
  ASSERT_NE(plotCommand, nullptr);
  ASSERT_NE(previewCommand, nullptr);
  EXPECT_TRUE(plotCommand->handler(" \"" + (dir_ / "by command.png").string() + "\" "));
  EXPECT_TRUE(fs::exists(dir_ / "by command.png"));
  EXPECT_FALSE(plotCommand->handler(""));
  EXPECT_THAT(user_.transcript(), HasSubstr("cmdline | PLOT: "));
  EXPECT_TRUE(previewCommand->handler(""));
  EXPECT_THAT(user_.transcript(), HasSubstr("plotpreview closed"));
}

}  // namespace
