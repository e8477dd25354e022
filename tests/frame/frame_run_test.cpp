// acad-host with the companion LISP library and MoXi.arx beside it, as a user
// runs it: commands, LISP entries, companion calls and the journal they leave.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "testing/acad_host.h"
#include "testing/temp_folder.h"
#include "testing/transcript.h"

namespace fs = std::filesystem;

namespace {

using ::testing::HasSubstr;
using rwtest::HostRun;

// The user picks nothing in the edit command and cancels the main dialog.
constexpr const char* kLeaveBothCommands =
    "pick enter\ndialog 12000 click 14033\npick enter\ndialog 12000 click 14033\n";

class FrameRun : public ::testing::Test {
 protected:
  FrameRun() { host.options = {"--user-dir", (dir / "user").string()}; }

  HostRun Host(const std::string& script, const std::string& answers = "",
               const std::vector<std::string>& options = {}) {
    return host.run(script, answers, options);
  }

  const rwtest::TempFolder folder{"frame-run"};
  const fs::path dir = folder.path();
  rwtest::AcadHost host{ACAD_HOST, dir};
};

const char* const kFirstUseCalls[] = {"acedInvoke Tavo_pathInfo", "acedInvoke tavo_getUserIniPath",
                                      "acedInvoke tavo_getUserIniFile"};

TEST_F(FrameRun, CommandsAndLispEntriesInitialiseOnceAndReturnNothing) {
  const HostRun run = Host("(C:TAVO_IMGEDIT)\nTAVO_IMGCREATE\ntavo_imgedit\n(c:tavo_imgcreate)\n", kLeaveBothCommands);
  EXPECT_EQ(run.exitCode, 0) << run.transcript;
  for (const char* call : kFirstUseCalls) {
    SCOPED_TRACE(call);
    EXPECT_EQ(run.journalCount(call), 1);
  }
  // Each line runs without a value printed after it.
  EXPECT_EQ(rwtest::commandLines(run.transcript),
            "cmdline | Command: (C:TAVO_IMGEDIT)\n"
            "cmdline | Command: TAVO_IMGCREATE\n"
            "cmdline | Command: tavo_imgedit\n"
            "cmdline | Command: (c:tavo_imgcreate)\n");
  EXPECT_TRUE(fs::is_directory(dir / "user"));  // the companion made the user's folder
}

TEST_F(FrameRun, WithoutTheCompanionTheCommandsStillRunQuietly) {
  const HostRun run = Host("TAVO_IMGEDIT\nTAVO_IMGCREATE\n", kLeaveBothCommands, {"--no-companion"});
  EXPECT_EQ(run.exitCode, 0) << run.transcript;
  for (const char* call : kFirstUseCalls) {
    SCOPED_TRACE(call);
    EXPECT_EQ(run.journalCount(call), 1);
  }
  EXPECT_EQ(rwtest::commandLines(run.transcript), "cmdline | Command: TAVO_IMGEDIT\ncmdline | Command: TAVO_IMGCREATE\n");
}

TEST_F(FrameRun, CompanionAnswersThePathsAndKeepsLayerDefinitions) {
  const std::string user = "Z:" + (dir / "user").string();
  std::string userWindows = user;
  std::replace(userWindows.begin(), userWindows.end(), '/', '\\');
  std::string lispFolder;  // as the LISP prompt shows it: backslashes doubled
  for (char c : userWindows + "\\") lispFolder += c == '\\' ? std::string("\\\\") : std::string(1, c);
  const HostRun run = Host(
      "(tavo_getUserIniPath \"TAVO_IMGCREATE\")\n"
      "(tavo_getUserIniFile \"TAVO_IMGCREATE\" \"Rasterwerk.ini\")\n"
      "(Tavo_layerDialog \"TAVO_IMGCREATE\" \"ImageLayer\" \"Rasterwerk\" \"" + lispFolder + "\")\n"
      "(Tavo_newLayer \"TAVO_IMGCREATE\" \"IMG\")\n"
      "(Tavo_getLayerName \"TAVO_IMGCREATE\" \"IMG\")\n",
      "layerdialog IMG Bild\n", {"--save-as", (dir / "saved.dxf").string()});
  EXPECT_EQ(run.exitCode, 0) << run.transcript;
  EXPECT_THAT(run.transcript, HasSubstr("cmdline | \"" + lispFolder + "\"\n"));
  EXPECT_THAT(run.transcript, HasSubstr("cmdline | \"" + lispFolder + "Rasterwerk.ini\"\n"));
  EXPECT_THAT(run.transcript, HasSubstr("layerdialog -> IMG Bild\n"));
  EXPECT_THAT(run.transcript, HasSubstr("cmdline | (\"IMG\" \"Bild\" 1)\n"));
  EXPECT_THAT(run.transcript, HasSubstr("cmdline | \"Bild\"\n"));
  EXPECT_THAT(rwtest::readFile(dir / "user" / "TavoLayers.ini"), HasSubstr("Name=Bild"));
  // Tavo_newLayer made the layer in the drawing.
  EXPECT_THAT(run.transcript, HasSubstr("Command: (Tavo_newLayer \"TAVO_IMGCREATE\" \"IMG\")\ncmdline | 1\n"));
  std::string saved = rwtest::readFile(dir / "saved.dxf");
  std::erase(saved, '\r');
  EXPECT_THAT(saved, HasSubstr("\n  2\nBild\n"));
}

TEST_F(FrameRun, HelpFileIsFoundBesideThePlugin) {
  const HostRun run = Host("(Tavo_pathInfo \"Rasterwerk.chm\")\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_THAT(run.transcript, HasSubstr("Rasterwerk.chm\"\n"));
}

}  // namespace
