#pragma once
// The GIMP bridge's tests: C: and D: mapped to fresh folders, a scripted
// user, the plug-in's caption and an empty plot layer list.
#include <gtest/gtest.h>
#include <win32/posix.h>

#include <filesystem>
#include <string>
#include <vector>

#include "frame/message_box.h"
#include "plot/plot_layers.h"
#include "settings/plugin_settings.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"

class GimpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(win32::MapDrive('C', programs_.path().string()));
    ASSERT_TRUE(win32::MapDrive('D', work_.path().string()));
    theSettings = PluginSettings{};
    theMainDialogTitle = "Rasterwerk";
    thePlotLayerList.clear();
  }
  void TearDown() override {
    thePlotLayerList.clear();
    win32::UnmapDrive('C');
    win32::UnmapDrive('D');
  }
  // The user's answers; the transcript is kept in memory.
  void Answer(const std::string& answers) { user_.answer(answers); }
  std::string Transcript() const { return user_.transcript(); }

  void SetLayers(const std::vector<std::string>& names) {
    thePlotLayerList.clear();
    for (const auto& name : names) {
      thePlotLayerList.ids.emplace_back();
      thePlotLayerList.names.push_back(name);
    }
  }
  // An executable file at `name` below C: with the script `body`.
  void WriteProgram(const std::string& name, const std::string& body) const {
    programs_.write(name, "#!/bin/sh\n" + body);
    std::filesystem::permissions(programs_.path() / name, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
  }
  bool WorkFileExists(const std::string& name) const { return std::filesystem::exists(work_.path() / name); }

  rwtest::TempFolder programs_;  // C:
  rwtest::TempFolder work_;      // D:
  rwtest::ScriptedUser user_;
};
