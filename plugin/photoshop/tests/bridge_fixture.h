#pragma once
// A fresh folder mapped to drive D:, a scripted user, the plug-in's caption
// and hook library, and a running photo editor for the plug-in's tests.
#include <gtest/gtest.h>

#include <Magick++.h>
#include <photoshop/server.h>
#include <ui/scripted_driver.h>
#include <win32/posix.h>

#include <filesystem>
#include <string>

#include "photoshop/photoshop_automation.h"
#include "frame/message_box.h"
#include "settings/plugin_settings.h"

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("rw-bridge-") + test->test_suite_name() + "-" + test->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    ASSERT_TRUE(win32::MapDrive('D', folder_.string()));
    Magick::InitializeMagick(nullptr);
    theMainDialogTitle = "Rasterwerk";
    theSettings.hookLibrary = LoadLibraryA(win32::ToWindowsPath(HOOK_LIBRARY).c_str());
    ASSERT_NE(theSettings.hookLibrary, nullptr);
    photoshop::Install();
    photoshop::ClearJournal();
    Answer("");
  }
  void TearDown() override {
    if (thePhotoshopConnection.application != nullptr) psDisconnect();
    photoshop::Install();
    FreeLibrary(theSettings.hookLibrary);
    ui::setDriver(nullptr);
    win32::UnmapDrive('D');
    std::filesystem::remove_all(folder_);
  }
  // The user's answers for the test; the transcript is kept in memory.
  void Answer(const std::string& answers) {
    auto driver = ui::ScriptedDriver::fromText(answers);
    driver->writeTranscriptNowhere();
    script_ = driver.get();
    ui::setDriver(std::move(driver));
  }
  std::string Transcript() const { return script_->transcript(); }
  std::string Posix(const std::string& name) const { return (folder_ / name).string(); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(folder_ / name); }

  // A white page of 60 x 40 pixels with one coloured rectangle at `x`.
  void WritePlot(const std::string& name, const char* colour, int x) const {
    Magick::Image page(Magick::Geometry(60, 40), Magick::Color("white"));
    page.fillColor(Magick::Color(colour));
    page.draw(Magick::DrawableRectangle(x, 10, x + 9, 19));
    page.write(Posix(name));
  }

  std::filesystem::path folder_;
  ui::ScriptedDriver* script_ = nullptr;
};
