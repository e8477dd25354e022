// Finding GIMP's scripts folder on real folder trees, installing the script,
// and the file test both rely on.
#include <gmock/gmock.h>
#include <windows.h>

#include <string>

#include "frame/file_exists.h"
#include "gimp/gimp_discovery.h"
#include "gimp_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using GimpDiscovery = GimpTest;

TEST_F(GimpDiscovery, ScriptsFolderFollowsTheVersionFolders) {
  struct Case {
    const char* executable;
    std::vector<std::string> dataFolders;  // below C:\GIMP-2.0\share\gimp
    const char* scriptsFolder;
  };
  const Case cases[] = {
      {"C:\\GIMP-2.0\\bin\\gimp-2.2.exe", {"2.2", "2.0"}, "C:\\GIMP-2.0\\bin\\..\\share\\gimp\\2.2\\scripts\\"},
      {"C:\\GIMP-2.0\\bin\\gimp-2.2.exe", {"2.0"}, "C:\\GIMP-2.0\\bin\\..\\share\\gimp\\2.0\\scripts\\"},
      {"C:\\GIMP-2.0\\bin\\gimp.exe", {}, "C:\\GIMP-2.0\\bin\\..\\share\\gimp\\gimp\\scripts\\"},
      {"C:\\GIMP-2.0\\bin\\gimp-win-2.4.exe", {}, "C:\\GIMP-2.0\\bin\\..\\share\\gimp\\2.4\\scripts\\"},
      {"C:\\GIMP-2.0\\bin\\gimp-win-2.4.exe", {"2.4"}, "C:\\GIMP-2.0\\bin\\..\\share\\gimp\\2.4\\scripts\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.executable);
    std::filesystem::remove_all(programs_.path() / "GIMP-2.0");
    std::filesystem::create_directories(programs_.path() / "GIMP-2.0/bin");
    for (const auto& version : c.dataFolders)
      std::filesystem::create_directories(programs_.path() / "GIMP-2.0/share/gimp" / version);
    EXPECT_EQ(gimpScriptsFolder(c.executable), c.scriptsFolder) << c.executable;
  }
}

TEST_F(GimpDiscovery, AFileNamedLikeTheVersionCountsAndPlainFilesAreNoVersionFolders) {
  programs_.write("G/share/gimp/2.2", "");  // a file named like the version
  EXPECT_EQ(gimpScriptsFolder("C:\\G\\bin\\gimp-2.2.exe"), "C:\\G\\bin\\..\\share\\gimp\\2.2\\scripts\\");
  programs_.write("H/share/gimp/readme.txt", "");
  EXPECT_EQ(gimpScriptsFolder("C:\\H\\bin\\gimp-2.6.exe"), "C:\\H\\bin\\..\\share\\gimp\\2.6\\scripts\\");
}

class GimpScriptInstall : public GimpTest {
 protected:
  void SetUp() override {
    GimpTest::SetUp();
    programs_.write("GIMP/bin/gimp-2.10.exe", "");
    std::filesystem::create_directories(programs_.path() / "GIMP/share/gimp/2.10/scripts");
    programs_.write("plugin/Rasterwerk.scm", "(define layers '())\n");
    theSettings.moduleDirectory = "C:\\plugin\\";
  }
  bool Installed() const { return std::filesystem::exists(programs_.path() / kTarget); }
  static constexpr const char* kExecutable = "C:\\GIMP\\bin\\gimp-2.10.exe";
  static constexpr const char* kTarget = "GIMP/share/gimp/2.10/scripts/Rasterwerk.scm";
  static constexpr const char* kQuestion =
      "msgbox caption=\"Rasterwerk\" buttons=yesnocancel icon=question owner=\"\" -> ";
};

TEST_F(GimpScriptInstall, PresentScriptNeedsNoQuestion) {
  programs_.write(kTarget, "");
  EXPECT_TRUE(ensureGimpScript(kExecutable, nullptr));
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

TEST_F(GimpScriptInstall, LockedScriptCountsAsPresent) {
  programs_.write(kTarget, "");
  HANDLE lock = CreateFileA("C:\\GIMP\\share\\gimp\\2.10\\scripts\\Rasterwerk.scm", GENERIC_READ | GENERIC_WRITE, 0,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(ensureGimpScript(kExecutable, nullptr));
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
  CloseHandle(lock);
}

TEST_F(GimpScriptInstall, OnlyYesInstallsTheScript) {
  struct Case {
    const char* answer;
    bool result;
  };
  for (const Case c : {Case{"no", false}, Case{"cancel", false}, Case{"yes", true}}) {
    SCOPED_TRACE(c.answer);
    Answer(std::string("msgbox ") + c.answer + "\n");
    EXPECT_EQ(ensureGimpScript(kExecutable, nullptr), c.result) << c.answer;
    EXPECT_THAT(Transcript(), HasSubstr(kQuestion + std::string(c.answer) +
                      "\n  | The .scm file needed to process the image with Gimp could not be found. "
                      "Do you want to install it?\n"));
    EXPECT_EQ(Installed(), c.result) << c.answer;
  }
  EXPECT_EQ(programs_.read(kTarget), "(define layers '())\n");
}

TEST_F(GimpScriptInstall, YesWithoutASourceScriptGivesNoFurtherMessage) {
  std::filesystem::remove(programs_.path() / "plugin/Rasterwerk.scm");
  Answer("msgbox yes\n");
  EXPECT_TRUE(ensureGimpScript(kExecutable, nullptr));
  EXPECT_FALSE(Installed());
  EXPECT_EQ(Transcript().find("msgbox"), Transcript().rfind("msgbox")) << Transcript();
}

TEST_F(GimpDiscovery, FileExistsCountsWhatCannotBeOpenedExceptMissingOnes) {
  programs_.write("dir/file.txt", "x");
  struct Case {
    const char* path;
    bool exists;
  };
  const Case cases[] = {
      {"C:\\dir\\file.txt", true},
      {"C:\\dir", true},  // a folder cannot be opened as a file, yet it is there
      {"C:\\dir\\none.txt", false},
      {"C:\\nodir\\none.txt", false},
      {"C:\\dir\\file.txt\\x", false},
      {"C:\\dir\\f*.txt", false},
      {"Q:\\unmapped.txt", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
}

}  // namespace
