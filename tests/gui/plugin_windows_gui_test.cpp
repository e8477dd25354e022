// The plug-in's dialogs as windows on a virtual screen, run in-process by
// the windowed driver: each at the places of its template with the texts and
// states of its model, photographed; and the main dialog's tools (the
// companion's layer dialog, the page setup, the plot preview) as windows of
// their own, driven by FLTK's events.
#include <FL/Fl_Choice.H>
#include <FL/Fl_Hold_Browser.H>
#include <arx/host.h>
#include <win32/dialogs.h>
#include <win32/posix.h>

#include <functional>

#include "dialogs/gimp_location_dialog.h"
#include "dialogs/image_properties_dialog.h"
#include "dialogs/image_source_dialog.h"
#include "dialogs/main_dialog.h"
#include "dialogs/tests/small_dialog_fixture.h"
#include "fltk_events.h"
#include "x_display.h"
#include "ui/windowed_driver.h"
#include "window_steps.h"
#include "window_checks.h"

namespace {

namespace fs = std::filesystem;
using Step = ui::testing::WindowSteps::Step;

class PlugInWindows : public SmallDialogTest {
 protected:
  void SetUp() override {
    SmallDialogTest::SetUp();
    AddLayer("Walls", 1);
    AddLayer("Trees", 3);
    AddLine("Walls", {10, 10}, {90, 10});
    AddLine("Trees", {10, 20}, {90, 70});
    SetPageSetup("PublishToWeb PNG.pc3", {0, 0}, {100, 80});
    theSettings.applicationKey = "TAVO_IMGCREATE";
    theSettings.userIniFolder = folder_.windows("user") + "\\";
    theSettings.imageLayerName = "Walls";
    theSettings.iniFile.clear();  // nothing is written
    arx::setUserDirectory(theSettings.userIniFolder);
    ASSERT_TRUE(arx::loadApplication(win32::ToWindowsPath(COMPANION_MODULE)).ok);
    auto driver = ui::WindowedDriver::open();
    driver_ = driver.get();
    UseDriver(std::move(driver));
  }
  void TearDown() override {
    CurrentMainDialog = nullptr;
    arx::unloadAllApplications();
    SmallDialogTest::TearDown();
  }

  // Each time a window waits, the next step looks at it and acts; beyond the
  // steps the window is closed and the test fails.
  void Steps(std::vector<Step> steps) { steps_.play(*driver_, std::move(steps)); }
  bool AllStepsTaken() const { return steps_.allTaken(); }

  static fs::path Shot(const std::string& name) { return fs::path(SCREENSHOT_DIR) / (name + ".png"); }

  ui::WindowedDriver* driver_ = nullptr;
  ui::testing::WindowSteps steps_;
};

TEST_F(PlugInWindows, EachDialogIsItsTemplateOnTheScreen) {
  folder_.write("img/site.tif", "picture");
  EditedImage image{"D:\\img\\site", "tif"};
  struct Case {
    const char* name;
    std::function<std::unique_ptr<CDialog>()> make;
  };
  const Case cases[] = {
      {"main-dialog", [] { return std::make_unique<CMoXIDialog>(); }},
      {"image-properties", [] { return std::make_unique<CMoXIIPDialog>("png"); }},
      {"gimp-location", [] { return std::make_unique<MoXIBFGDialog>(); }},
      {"image-source", [&] { return std::make_unique<CMoXICISFDialog>(image); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<CDialog> dialog = c.make();
    if (auto* main = dynamic_cast<CMoXIDialog*>(dialog.get())) CurrentMainDialog = main;
    Steps({[&](const ui::WindowOnScreen& w) {
      const ui::Dialog* model = win32::DialogModel(dialog->m_hWnd);
      ASSERT_NE(model, nullptr);
      EXPECT_EQ(w.target, std::to_string(model->id()));
      guitest::ExpectDialogAsItsTemplate(w, *model);
      EXPECT_TRUE(guitest::Screenshot(*w.window, Shot(c.name)));
      guitest::PressKey(*w.window, FL_Escape);
    }});
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    EXPECT_TRUE(AllStepsTaken());
    CurrentMainDialog = nullptr;
  }
}

TEST_F(PlugInWindows, TheMainDialogsToolsAreWindowsOfTheirOwn) {
  CMoXIDialog dialog;
  CurrentMainDialog = &dialog;
  auto click = [](const ui::WindowOnScreen& w, const std::string& name) {
    ASSERT_NE(w.widgets.count(name), 0u) << name;
    guitest::Click(*w.window, *w.widgets.at(name));
  };
  Steps({
      [&](const ui::WindowOnScreen& w) { click(w, "12011"); },  // the layer dialog button
      [&](const ui::WindowOnScreen& w) {
        // The companion's layer dialog: the drawing's layers with their colours.
        EXPECT_EQ(w.target, "layerdialog");
        EXPECT_STREQ(w.window->label(), "Rasterwerk");
        auto* layers = guitest::WidgetOf<Fl_Hold_Browser>(w, "layers");
        ASSERT_NE(layers, nullptr);
        ASSERT_EQ(layers->size(), 3);
        EXPECT_STREQ(layers->text(1), "0");
        EXPECT_STREQ(layers->text(2), "Walls");
        EXPECT_STREQ(layers->text(3), "Trees");
        EXPECT_NE(layers->icon(2), nullptr);  // its colour swatch
        EXPECT_TRUE(guitest::Screenshot(*w.window, Shot("layer-dialog")));
        guitest::ClickAt(*w.window, layers->x() + 40, layers->y() + 6);  // the first layer
      },
      [&](const ui::WindowOnScreen& w) { guitest::PressKey(*w.window, FL_Down); },  // Walls
      [&](const ui::WindowOnScreen& w) { guitest::PressKey(*w.window, FL_Down); },  // Trees
      [&](const ui::WindowOnScreen& w) {
        EXPECT_STREQ(guitest::WidgetOf<Fl_Input>(w, "name")->value(), "Trees");
        click(w, "ok");
      },
      [&](const ui::WindowOnScreen& w) {
        // The chosen layer and its colour swatch, painted by the dialog.
        EXPECT_STREQ(guitest::WidgetOf<Fl_Input>(w, "12058")->value(), "Trees");
        const fs::path shot = Shot("main-dialog-layer-chosen");
        ASSERT_TRUE(guitest::Screenshot(*w.window, shot));
        EXPECT_EQ(guitest::PixelOf(shot, 90, 240), 0x00FF00u);  // colour 3
        click(w, "12004");  // page setup
      },
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(w.target, "pagesetup");
        auto* device = guitest::WidgetOf<Fl_Choice>(w, "device");
        ASSERT_NE(device, nullptr);
        EXPECT_STREQ(device->text(), "PublishToWeb PNG.pc3");
        EXPECT_STREQ(guitest::WidgetOf<Fl_Input>(w, "window")->value(), "0,0,100,80");
        EXPECT_TRUE(guitest::Screenshot(*w.window, Shot("page-setup")));
        click(w, "1");
      },
      [&](const ui::WindowOnScreen& w) { click(w, "12010"); },  // plot preview
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(w.target, "plotpreview");
        const fs::path shot = Shot("plot-preview");
        ASSERT_TRUE(guitest::Screenshot(*w.window, shot));
        // The plot on its white page, where the window has no colour of its own.
        const Fl_Widget& picture = *w.widgets.at("picture");
        EXPECT_EQ(guitest::PixelOf(shot, picture.x() + picture.w() / 2, picture.y() + 2), 0xFFFFFFu);
        guitest::PressKey(*w.window, FL_Escape);
      },
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(w.target, "12000");
        guitest::PressKey(*w.window, FL_Escape);
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(AllStepsTaken());
  EXPECT_EQ(theSettings.imageLayerName, "Trees");
  const std::string transcript = Transcript();
  for (const char* line : {"input 12000 -> click 12011\n", "layerdialog -> ImageLayer Trees\n",
                           "input 12000 -> click 12004\n", "input pagesetup -> click 1\n",
                           "dialog pagesetup close -> ok\n", "input plotpreview -> close\n"})
    EXPECT_NE(transcript.find(line), std::string::npos) << line << transcript;
}

}  // namespace
