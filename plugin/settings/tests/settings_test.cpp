// Loading and saving the user's settings file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "settings/plugin_settings.h"
#include "testing/case_name.h"
#include "testing/scripted_user.h"
#include "testing/small_disk.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The persisted fields, comparable at once.
auto Persisted(const PluginSettings& s) {
  return std::make_tuple(s.program, s.gimpExecutable, s.layerKey, s.imageFormat, s.transparency, s.frame,
                         s.background, s.resolutionUnit, s.psResolution);
}

PluginSettings Defaults() {
  PluginSettings s;
  s.program = kProgramPhotoshop;
  s.imageFormat = kFormatTif;
  s.transparency = true;
  s.frame = false;
  s.background = true;
  s.resolutionUnit = kUnitPixelPerInch;
  s.psResolution = 72.0;
  return s;
}

class SettingsFile : public ::testing::Test {
 protected:
  SettingsFile() { settings.iniFile = folder.windows("Rasterwerk.ini"); }

  void WriteIni(const std::string& text) { folder.write("Rasterwerk.ini", text); }

  rwtest::TempFolder folder;
  CWinApp app;
  PluginSettings settings;
};

struct LoadCase {
  const char* name;
  const char* ini;
  std::function<void(PluginSettings&)> expect;  // changes to the defaults
};

const LoadCase kLoadCases[] = {
    {"EmptyFile", "", [](PluginSettings&) {}},
    {"EmptyGroups", "[SETTINGS_GROUP_GRAPHIC]\n[SETTINGS_GROUP_IMAGE]\n", [](PluginSettings&) {}},
    {"FrameOnAnyCase", "[SETTINGS_GROUP_IMAGE]\nFrame=oN\n", [](PluginSettings& s) { s.frame = true; }},
    {"FrameYesIsOff", "[SETTINGS_GROUP_IMAGE]\nFrame=yes\n", [](PluginSettings&) {}},
    {"TransparencyOff", "[SETTINGS_GROUP_IMAGE]\nTransparency=off\n",
     [](PluginSettings& s) { s.transparency = false; }},
    {"TransparencyNoIsOn", "[SETTINGS_GROUP_IMAGE]\nTransparency=no\n", [](PluginSettings&) {}},
    {"BackgroundOff", "[settings_group_image]\nbackground=OFF\n", [](PluginSettings& s) { s.background = false; }},
    {"FormatPngLowerCase", "[SETTINGS_GROUP_IMAGE]\nFormat=png\n",
     [](PluginSettings& s) { s.imageFormat = kFormatPng; }},
    {"FormatUnknownIsTif", "[SETTINGS_GROUP_IMAGE]\nFormat=jpeg\n", [](PluginSettings&) {}},
    {"ProgramGimpLowerCase", "[SETTINGS_GROUP_GRAPHIC]\nProgram=gimp\n",
     [](PluginSettings& s) { s.program = kProgramGimp; }},
    {"ProgramUnknownIsPhotoshop", "[SETTINGS_GROUP_GRAPHIC]\nProgram=Paint\n", [](PluginSettings&) {}},
    {"LayerKey", "[SETTINGS_GROUP_IMAGE]\nLayerKey=IMG 2\n", [](PluginSettings& s) { s.layerKey = "IMG 2"; }},
    {"PerCmAtLimitStays", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=0.393\nResolutionUnits=pixel/CM\n",
     [](PluginSettings& s) { s.resolutionUnit = kUnitPixelPerCm, s.psResolution = 0.393; }},
    {"PerCmBelowLimit", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=0.3\nResolutionUnits=Pixel/cm\n",
     [](PluginSettings& s) { s.resolutionUnit = kUnitPixelPerCm, s.psResolution = 28.0; }},
    {"PerInchBelowLimit", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=0.5\n", [](PluginSettings&) {}},
    {"PerInchAtLimitStays", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=1\n",
     [](PluginSettings& s) { s.psResolution = 1.0; }},
    {"LeadingNumber", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=300dpi\n",
     [](PluginSettings& s) { s.psResolution = 300.0; }},
    {"NotANumber", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=high\n", [](PluginSettings&) {}},
    {"Negative", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=-300\nResolutionUnits=Pixel/cm\n",
     [](PluginSettings& s) { s.resolutionUnit = kUnitPixelPerCm, s.psResolution = 28.0; }},
    {"Nan", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=nan\n", [](PluginSettings&) {}},
    {"Infinity", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=inf\n", [](PluginSettings&) {}},
    // The unit decides the limit even when it stands after the resolution.
    {"UnitReadBeforeResolution", "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=0.5\nResolutionUnits=Pixel/cm\n",
     [](PluginSettings& s) { s.resolutionUnit = kUnitPixelPerCm, s.psResolution = 0.5; }},
};

class LoadSettings : public SettingsFile, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadSettings, GivesTheExpectedRecord) {
  WriteIni(GetParam().ini);
  PluginSettings expected = Defaults();
  GetParam().expect(expected);
  settings.LoadSettings(app);
  EXPECT_EQ(Persisted(settings), Persisted(expected));
  EXPECT_EQ(app.m_pszProfileName, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadSettings, ::testing::ValuesIn(kLoadCases),
                         rwtest::CaseName());

TEST_F(SettingsFile, MissingFileOrEmptyPathGiveTheDefaults) {
  settings.LoadSettings(app);
  EXPECT_EQ(Persisted(settings), Persisted(Defaults()));
  settings.iniFile.clear();
  settings.LoadSettings(app);
  EXPECT_EQ(Persisted(settings), Persisted(Defaults()));
  settings.SaveSettings(app);  // nowhere to write: not reported
  EXPECT_EQ(app.m_pszProfileName, nullptr);
}

TEST_F(SettingsFile, GimpPathIsClearedOnlyWhenTheFileIsMissing) {
  folder.write("gimp-2.10", "#!/bin/sh\n");
  folder.write("locked.exe", "x");
  // Held open by another program that shares nothing: still there.
  HANDLE lock = CreateFileA(folder.windows("locked.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  struct Case {
    std::string path;
    bool kept;
  };
  for (const Case& c : {Case{folder.windows("gimp-2.10"), true}, Case{folder.windows("locked.exe"), true},
                        Case{folder.windows("missing.exe"), false},
                        Case{folder.windows("no-folder\\gimp.exe"), false}}) {
    WriteIni("[SETTINGS_GROUP_GRAPHIC]\nGimpFilePath=" + c.path + "\n");
    settings.LoadSettings(app);
    EXPECT_EQ(settings.gimpExecutable, c.kept ? c.path : "") << c.path;
  }
  CloseHandle(lock);
}

TEST_F(SettingsFile, SaveWritesTheGroupsKeysAndValuesInOrder) {
  WriteIni("[SETTINGS_GROUP_IMAGE]\nFormat=png\n[SETTINGS_GROUP_GRAPHIC]\nProgram=gimp\n");
  settings.LoadSettings(app);
  settings.layerKey = "IMG";
  settings.psResolution = 300;
  settings.resolutionUnit = kUnitPixelPerCm;
  std::filesystem::remove(folder.path() / "Rasterwerk.ini");
  settings.SaveSettings(app);
  EXPECT_EQ(app.m_pszProfileName, nullptr);
  std::string text = folder.read("Rasterwerk.ini");
  std::erase(text, '\r');
  EXPECT_EQ(text,
            "[SETTINGS_GROUP_GRAPHIC]\nProgram=Gimp\nGimpFilePath=\n"
            "[SETTINGS_GROUP_IMAGE]\nLayerKey=IMG\nTransparency=On\nFrame=Off\nBackground=On\nFormat=PNG\n"
            "[SETTINGS_GROUP_POSTSCRIPT]\nResolutionXY=300.000\nResolutionUnits=Pixel/cm\n");
}

TEST_F(SettingsFile, SaveThenLoadGivesTheSameRecord) {
  folder.write("gimp.exe", "x");
  settings.program = kProgramGimp;
  settings.gimpExecutable = folder.windows("gimp.exe");
  settings.layerKey = "Bild Ebene";
  settings.imageFormat = kFormatJpg;
  settings.transparency = false;
  settings.frame = true;
  settings.background = false;
  settings.resolutionUnit = kUnitPixelPerInch;
  settings.psResolution = 150.125;
  settings.SaveSettings(app);
  PluginSettings loaded;
  loaded.iniFile = settings.iniFile;
  loaded.LoadSettings(app);
  EXPECT_EQ(Persisted(loaded), Persisted(settings));
}

// A save that cannot write says so once, naming the file; the record stays.
TEST_F(SettingsFile, FailedSaveShowsOneMessageNamingTheFile) {
  struct Case {
    const char* name;
    std::function<bool()> fault;  // false: not possible here
  };
  std::optional<rwtest::SmallDisk> disk;
  const Case cases[] = {
      {"FileIsAFolder",
       [&] { return std::filesystem::create_directory(folder.path() / "Rasterwerk.ini"); }},
      {"FullDisk",
       [&] {
         disk.emplace(folder.path() / "full");
         settings.iniFile = folder.windows("full\\Rasterwerk.ini");
         if (disk->mounted()) disk->fill();
         return disk->mounted();
       }},
      {"ReadOnlyDisk",
       [&] {
         disk.emplace(folder.path() / "read-only", rwtest::SmallDisk::Mode::ReadOnly);
         settings.iniFile = folder.windows("read-only\\Rasterwerk.ini");
         return disk->mounted();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings.iniFile = folder.windows("Rasterwerk.ini");
    if (!c.fault()) continue;
    std::string transcript;
    {
      const rwtest::ScriptedUser user("msgbox ok\n");
      settings.layerKey = "IMG";
      settings.SaveSettings(app);
      transcript = user.transcript();
    }
    EXPECT_EQ(app.m_pszProfileName, nullptr);
    EXPECT_EQ(settings.layerKey, "IMG");
    const std::string message = "  | The settings could not be saved in:\n  | " + settings.iniFile + "\n";
    EXPECT_THAT(transcript, HasSubstr(message));
    EXPECT_EQ(transcript.find("msgbox"), transcript.rfind("msgbox")) << "one message\n" << transcript;
    disk.reset();
  }
}

TEST_F(SettingsFile, SaveWithoutAFileNameShowsNothing) {
  const rwtest::ScriptedUser user;
  settings.iniFile.clear();
  settings.SaveSettings(app);
  EXPECT_THAT(user.transcript(), Not(HasSubstr("msgbox")));
}

TEST(SettingsNames, TablesAreOneBased) {
  EXPECT_STREQ(ProgramKindName(kProgramGimp), "Gimp");
  EXPECT_STREQ(ImageFormatName(kFormatBmp), "BMP");
  EXPECT_STREQ(ImageFormatName(kFormatTif), "TIF");
  EXPECT_STREQ(ResolutionUnitName(kUnitPixelPerCm), "Pixel/cm");
  EXPECT_STREQ(ImageFormatName(0), "");
  EXPECT_STREQ(ProgramKindName(3), "");
}

}  // namespace
