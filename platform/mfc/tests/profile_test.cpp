#include <afxwin.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace {

namespace fs = std::filesystem;

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    ini_ = folder_.windows("Rasterwerk.ini");
    app_.m_pszProfileName = ini_.c_str();
  }

  std::string OnDisk() const { return folder_.read("Rasterwerk.ini"); }

  rwtest::TempFolder folder_{"mfc-profile"};
  const fs::path dir_ = folder_.path();
  std::string ini_;
  CWinApp app_;
};

TEST_F(Profile, WritesGoToTheIniFileAndReadsComeBack) {
  EXPECT_TRUE(app_.WriteProfileString("Paths", "PlotFile", "D:\\work\\plot"));
  EXPECT_TRUE(app_.WriteProfileInt("Image", "Format", -3));
  EXPECT_EQ(OnDisk(), "[Paths]\r\nPlotFile=D:\\work\\plot\r\n[Image]\r\nFormat=-3\r\n");
  EXPECT_EQ(app_.GetProfileString("paths", "plotfile", "x"), "D:\\work\\plot");
  EXPECT_EQ(static_cast<int>(app_.GetProfileInt("Image", "Format", 1)), -3);
}

struct DefaultCase {
  const char* what;
  const char* registryKey;
  bool profileFile;
  bool iniIsFolder;
};

TEST_F(Profile, DefaultsComeBackWhenThereIsNothingToRead) {
  const DefaultCase cases[] = {
      {"missing file", nullptr, true, false},
      {"no profile file", nullptr, false, false},
      {"registry key set", "Tavo", true, false},
      {"folder as INI file", nullptr, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_ / "Rasterwerk.ini");
    if (c.iniIsFolder) fs::create_directories(dir_ / "Rasterwerk.ini");
    app_.m_pszRegistryKey = c.registryKey;
    app_.m_pszProfileName = c.profileFile ? ini_.c_str() : nullptr;
    EXPECT_EQ(app_.GetProfileString("Paths", "PlotFile", "fallback"), "fallback") << c.what;
    EXPECT_EQ(app_.GetProfileString("Paths", "PlotFile"), "") << c.what;
    EXPECT_EQ(app_.GetProfileInt("Image", "Format", 4), 4u) << c.what;
  }
}

TEST_F(Profile, WritesWithoutAProfileFileFailAndTouchNothing) {
  app_.m_pszProfileName = nullptr;
  EXPECT_FALSE(app_.WriteProfileString("Paths", "PlotFile", "x"));
  app_.m_pszProfileName = ini_.c_str();
  app_.m_pszRegistryKey = "Tavo";
  EXPECT_FALSE(app_.WriteProfileString("Paths", "PlotFile", "x"));
  EXPECT_FALSE(fs::exists(dir_ / "Rasterwerk.ini"));
}

TEST_F(Profile, LongValuesAreReadWhole) {
  const std::string value(100000, 'v');
  std::ofstream(dir_ / "Rasterwerk.ini") << "[Paths]\nPlotFile=" << value << "\n";
  EXPECT_EQ(app_.GetProfileString("Paths", "PlotFile", ""), value);
}

}  // namespace
