#pragma once
// A fresh folder mapped to drive D:, a scripted user, the plug-in's caption
// and hook library, and a running photo editor for the plug-in's tests.
#include <gtest/gtest.h>

#include <Magick++.h>
#include <photoshop/server.h>
#include <win32/posix.h>

#include <filesystem>
#include <string>

#include "frame/message_box.h"
#include "photoshop/photoshop_automation.h"
#include "settings/plugin_settings.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(win32::MapDrive('D', folder_.path().string()));
    theMainDialogTitle = "Rasterwerk";
    theSettings.hookLibrary = LoadLibraryA(win32::ToWindowsPath(HOOK_LIBRARY).c_str());
    ASSERT_NE(theSettings.hookLibrary, nullptr);
    photoshop::Install();
    photoshop::ClearJournal();
  }
  void TearDown() override {
    if (thePhotoshopConnection.application != nullptr) psDisconnect();
    photoshop::Install();
    FreeLibrary(theSettings.hookLibrary);
    win32::UnmapDrive('D');
  }
  // The user's answers for the test; the transcript is kept in memory.
  void Answer(const std::string& answers) { user_.answer(answers); }
  std::string Transcript() const { return user_.transcript(); }
  std::string Posix(const std::string& name) const { return folder_.posix(name); }
  bool Exists(const std::string& name) const { return folder_.exists(name); }

  // A white page of 60 x 40 pixels with one coloured rectangle at `x`.
  void WritePlot(const std::string& name, const char* colour, int x) const {
    Magick::Image page(Magick::Geometry(60, 40), Magick::Color("white"));
    page.fillColor(Magick::Color(colour));
    page.draw(Magick::DrawableRectangle(x, 10, x + 9, 19));
    page.write(Posix(name));
  }

  rwtest::TempFolder folder_{"rw-bridge"};
  rwtest::ScriptedUser user_;
};
