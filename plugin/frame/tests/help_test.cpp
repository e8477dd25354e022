// The help file path and the topics of the topic map.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "frame/help.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace {

TEST(HelpPath, SplitsIntoFolderWithBackslashAndFileName) {
  struct Case {
    const char* path;
    const char* folder;
    const char* fileName;
  };
  for (const Case& c : {Case{"D:\\Help\\Rasterwerk.chm", "D:\\Help\\", "Rasterwerk.chm"},
                        Case{"D:\\Rasterwerk.chm", "D:\\", "Rasterwerk.chm"},
                        Case{"Rasterwerk.chm", "", "Rasterwerk.chm"}, Case{"D:\\Help\\", "D:\\Help\\", ""}}) {
    std::string folder = "old", fileName = "old";
    SplitHelpPath(c.path, folder, fileName);
    EXPECT_EQ(folder, c.folder) << c.path;
    EXPECT_EQ(fileName, c.fileName) << c.path;
  }
}

class HelpTopic : public ::testing::Test {
 protected:
  HelpTopic() {
    helpFolder = folder.windows();
  }
  // The help path HtmlHelpA was given, from the transcript.
  std::string ShownPath(const std::string& topic) {
    const std::size_t before = user.transcript().size();
    ShowHelpTopic(app, helpFolder, helpFileName, topic);
    EXPECT_EQ(app.m_pszProfileName, nullptr);
    const std::string line = user.transcript().substr(before);
    const std::string prefix = "htmlhelp \"";
    if (line.rfind(prefix, 0) != 0) return "(no help: " + line + ")";
    return line.substr(prefix.size(), line.find("\" command=0") - prefix.size());
  }

  rwtest::TempFolder folder;
  CWinApp app;
  std::string helpFolder;
  std::string helpFileName = "Rasterwerk.chm";
  rwtest::ScriptedUser user;
};

TEST_F(HelpTopic, TopicValueIsAppendedToTheHelpFileWithoutSeparator) {
  folder.write("Rasterwerk.top", "[Rasterwerk]\nMain=::/main.htm\n");
  EXPECT_EQ(ShownPath("Main"), folder.windows() + "Rasterwerk.chm::/main.htm");
  EXPECT_EQ(ShownPath("Gimp"), folder.windows() + "Rasterwerk.chm");  // no entry: default page
}

TEST_F(HelpTopic, WithoutHelpFileOnlyTheTopicValueRemains) {
  helpFolder.clear();
  helpFileName.clear();
  EXPECT_EQ(ShownPath("Main"), "");
}

// With windows shown, the desktop's viewer (here a script standing in for
// xdg-open) gets the topic's page inside the help folder.
TEST_F(HelpTopic, ShownWindowsOpenTheTopicsPageInTheViewer) {
  folder.write("Rasterwerk.top", "[Rasterwerk]\nMain=::/main.htm\n");
  folder.write("Rasterwerk.chm/main.htm", "<html></html>");
  folder.write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.tmp\" && /bin/mv \"$0.tmp\" \"$0.opened\"\n");
  std::filesystem::permissions(folder.path() / "bin/xdg-open", std::filesystem::perms::owner_all);
  const std::string path = getenv("PATH") ? getenv("PATH") : "";
  const char* display = getenv("DISPLAY");
  const std::string oldDisplay = display ? display : "";
  setenv("PATH", (folder.path() / "bin").c_str(), 1);
  setenv("DISPLAY", ":0", 1);
  setenv("RW_SHOW_HELP", "1", 1);
  ShowHelpTopic(app, helpFolder, helpFileName, "Main");
  setenv("PATH", path.c_str(), 1);
  unsetenv("RW_SHOW_HELP");
  display ? setenv("DISPLAY", oldDisplay.c_str(), 1) : unsetenv("DISPLAY");
  // The viewer runs on its own; wait until it has noted its argument.
  const auto opened = folder.path() / "bin/xdg-open.opened";
  for (int i = 0; i < 1000 && !std::filesystem::exists(opened); ++i) usleep(10000);
  EXPECT_EQ(folder.read("bin/xdg-open.opened"), (folder.path() / "Rasterwerk.chm/main.htm").string());
}

TEST(ShippedHelp, EveryTopicReachesAPageOfTheHelpFile) {
  CWinApp app;
  app.m_pszProfileName = nullptr;
  const std::string topicMap = win32::ToWindowsPath(MOXI_FILES_DIR "/Rasterwerk.top");
  for (const char* topic : {"Main", "Properties", "Gimp", "Edit"}) {
    SCOPED_TRACE(topic);
    char value[256] = "";
    GetPrivateProfileStringA("Rasterwerk", topic, "", value, sizeof value, topicMap.c_str());
    const std::string page = value;
    ASSERT_EQ(page.rfind("::/", 0), 0u) << topic;
    EXPECT_TRUE(std::filesystem::is_regular_file(MOXI_FILES_DIR "/Rasterwerk.chm/" + page.substr(3))) << topic;
  }
  EXPECT_TRUE(std::filesystem::is_regular_file(MOXI_FILES_DIR "/Rasterwerk.chm/index.html"));
}

}  // namespace
