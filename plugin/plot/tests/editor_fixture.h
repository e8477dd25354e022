#pragma once
// The editor for the plug-in's plot and raster tests: a fresh drawing with a
// page setup, a folder mapped to drive D:, the editor's application object
// with its automation interface, and a scripted user.
#include <afxwin.h>
#include <arx/automation.h>
#include <arx/drawing.h>
#include <arx/host.h>
#include <arx/plot.h>
#include <arx/plotdevices.h>
#include <dbmain.h>
#include <gtest/gtest.h>
#include <mfc/automation.h>
#include <ui/scripted_driver.h>
#include <win32/posix.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "frame/message_box.h"
#include "settings/plugin_settings.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"

// A user whose plotter breaks down: from plot number `firstFailing` on,
// every plot raises an error.
class JammingDriver : public ui::ScriptedDriver {
 public:
  explicit JammingDriver(int firstFailing) : ui::ScriptedDriver({}), firstFailing_(firstFailing) {}
  void record(const std::string& line) override {
    if (line.rfind("plot file=", 0) == 0 && ++plots_ >= firstFailing_) throw std::runtime_error("plotter jammed");
    ui::ScriptedDriver::record(line);
  }

 private:
  int firstFailing_;
  int plots_ = 0;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(win32::MapDrive('D', folder_.path().string()));
    arx::newDrawing();
    theMainDialogTitle = "Rasterwerk";
    {
      AFX_MANAGE_STATE(&editorState_);  // the editor's application object is not the plug-in's
      editorApp_ = std::make_unique<CWinApp>("acad");
    }
    mfc::SetAutomationObject(*editorApp_, arx::applicationDispatch());
    arx::setAcadWinApp(editorApp_.get());
  }
  void TearDown() override {
    arx::setAcadWinApp(nullptr);
    editorApp_.reset();
    arx::clearRefusals();
    arx::newDrawing();
    win32::UnmapDrive('D');
  }

  // The user's answers; the transcript is kept in memory.
  void Answer(const std::string& answers) { user_.answer(answers); }
  void UseDriver(std::unique_ptr<ui::ScriptedDriver> driver) { user_.use(std::move(driver)); }
  std::string Transcript() const { return user_.transcript(); }

  static AcDbDatabase& Drawing() { return arx::workingDrawing(); }
  static AcDbObjectId AddLayer(const std::string& name, int colour, bool plottable = true) {
    return arx::addLayer(Drawing(), arx::Layer{name, colour, plottable});
  }
  static void AddLine(const std::string& layer, arx::Point from, arx::Point to) {
    arx::addEntity(Drawing(), arx::LineShape{from, to}, layer);
  }
  // A Window page setup on `device` with the device's first medium.
  static void SetPageSetup(const std::string& device, arx::Point min, arx::Point max,
                           arx::PlotType type = arx::PlotType::Window) {
    arx::PageSetup& setup = arx::pageSetup(Drawing());
    setup.plotType = type;
    setup.windowMin = min;
    setup.windowMax = max;
    setup.plotCfgName = device;
    setup.canonicalMediaName = arx::findPlotDevice(device)->media.front().canonicalName;
  }

  std::string Posix(const std::string& name) const { return folder_.posix(name); }
  bool Exists(const std::string& name) const { return folder_.exists(name); }

  rwtest::TempFolder folder_;
  AFX_MODULE_STATE editorState_;
  std::unique_ptr<CWinApp> editorApp_;
  rwtest::ScriptedUser user_;
};
