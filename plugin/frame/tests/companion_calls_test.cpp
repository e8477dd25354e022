// Calls into the companion LISP library, answered by LISP functions that this
// test defines in the editor as the companion would.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "aced.h"
#include "commands/commands.h"
#include "frame/companion_lisp.h"
#include "settings/plugin_settings.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"

namespace {

// What the companion's functions answer, and the arguments they got.
struct FakeFunction {
  std::string name;
  resbuf* answer = nullptr;  // nullptr: a LISP error
  std::string arguments;
};
std::map<int, FakeFunction> fakes;

std::string Show(const resbuf* rb) {
  std::string text;
  for (; rb != nullptr; rb = rb->rbnext) {
    if (!text.empty()) text += ' ';
    text += rb->restype == RTSTR ? '"' + std::string(rb->resval.rstring) + '"' : std::to_string(rb->restype);
  }
  return text;
}

int RunFake() {
  FakeFunction& fake = fakes.at(acedGetFunCode());
  fake.arguments = Show(acedGetArgs());
  if (fake.answer == nullptr) return RSERR;
  acedRetList(fake.answer);
  return RSRSLT;
}

class CompanionCalls : public ::testing::Test {
 protected:
  ~CompanionCalls() override {
    for (auto& [code, fake] : fakes) {
      acedUndef(fake.name.c_str(), static_cast<short>(code));
      acutRelRb(fake.answer);
    }
    fakes.clear();
    theSettings = PluginSettings();
  }

  // Defines `name` to answer `answer` (taken over; nullptr: a LISP error).
  void Define(const std::string& name, resbuf* answer) {
    const int code = 100 + static_cast<int>(fakes.size());
    fakes[code] = FakeFunction{name, answer, ""};
    acedDefun(name.c_str(), static_cast<short>(code));
    acedRegFunc(RunFake, code);
  }
  std::string ArgumentsOf(const std::string& name) {
    for (auto& [code, fake] : fakes)
      if (fake.name == name) return fake.arguments;
    return "(not called)";
  }

  rwtest::ScriptedUser user;
};

// One call of the plug-in with its outputs preset to "old", shown as text.
using PluginCall = std::function<bool(std::string& out)>;
const std::map<std::string, PluginCall> kCalls = {
    {"tavo_getUserIniPath", [](std::string& out) { return LispGetUserIniPath("TAVO_IMGCREATE", out); }},
    {"tavo_getUserIniFile",
     [](std::string& out) { return LispGetUserIniFile("TAVO_IMGCREATE", "Rasterwerk.ini", out); }},
    {"Tavo_pathInfo", [](std::string& out) { return LispPathInfo("Rasterwerk.chm", out); }},
    {"Tavo_layerDialog",
     [](std::string& out) {
       std::string key = "old", name = "old";
       const bool ok = LispLayerDialog("TAVO_IMGCREATE", "ImageLayer", "Rasterwerk", "Z:\\u\\", key, name);
       out = key + "|" + name;
       return ok;
     }},
    {"Tavo_newLayer", [](std::string&) { return LispNewLayer("TAVO_IMGCREATE", "IMG"); }},
    {"Tavo_getLayerName", [](std::string& out) { return LispGetLayerName("TAVO_IMGCREATE", "IMG", out); }},
};

struct ResultCase {
  const char* function;
  std::function<resbuf*()> answer;
  bool ok;
  const char* out;
};

const ResultCase kResultCases[] = {
    {"tavo_getUserIniPath", [] { return acutBuildList(RTSTR, "Z:\\u\\", 0); }, true, "Z:\\u\\"},
    {"tavo_getUserIniPath", [] { return acutBuildList(RTSHORT, 5, 0); }, false, "old"},
    {"tavo_getUserIniPath", [] { return acutBuildList(RTNIL, 0); }, false, "old"},
    {"tavo_getUserIniPath", [] { return nullptr; }, false, "old"},
    {"tavo_getUserIniFile", [] { return acutBuildList(RTSTR, "Z:\\u\\Rasterwerk.ini", 0); }, true,
     "Z:\\u\\Rasterwerk.ini"},
    {"Tavo_pathInfo", [] { return acutBuildList(RTLB, RTSTR, "Z:\\h\\Rasterwerk.chm", RTLE, 0); }, true,
     "Z:\\h\\Rasterwerk.chm"},
    {"Tavo_newLayer", [] { return acutBuildList(RTSHORT, 0, 0); }, true, "old"},
    {"Tavo_newLayer", [] { return acutBuildList(RTSHORT, 1, 0); }, true, "old"},
    {"Tavo_newLayer", [] { return acutBuildList(RTSTR, "yes", 0); }, false, "old"},
    {"Tavo_newLayer", [] { return acutBuildList(RTNIL, 0); }, false, "old"},
    {"Tavo_getLayerName", [] { return acutBuildList(RTSTR, "Bild", 0); }, true, "Bild"},
    {"Tavo_getLayerName", [] { return acutBuildList(RTSHORT, 7, 0); }, false, "old"},
    {"Tavo_layerDialog", [] { return acutBuildList(RTSTR, "K", RTSTR, "N", RTSHORT, 1, 0); }, true, "K|N"},
    {"Tavo_layerDialog", [] { return acutBuildList(RTSTR, "K", RTSTR, "N", RTSHORT, 0, 0); }, true, "|"},
    {"Tavo_layerDialog", [] { return acutBuildList(RTSTR, "K", 0); }, false, "old|old"},
};

TEST_F(CompanionCalls, ResultsCountOnlyInTheirExpectedForm) {
  for (const ResultCase& c : kResultCases) {
    SCOPED_TRACE(c.function);
    Define(c.function, c.answer());
    std::string out = "old";
    EXPECT_EQ(kCalls.at(c.function)(out), c.ok) << c.function << " answering " << Show(fakes.rbegin()->second.answer);
    EXPECT_EQ(out, c.out) << c.function;
    acedUndef(c.function, static_cast<short>(fakes.rbegin()->first));
  }
}

TEST_F(CompanionCalls, ArgumentsAreTheFunctionsStrings) {
  for (const auto& [name, call] : kCalls) Define(name, acutBuildList(RTNIL, 0));
  for (const auto& [name, call] : kCalls) {
    SCOPED_TRACE(name);
    std::string out;
    call(out);
  }
  EXPECT_EQ(ArgumentsOf("tavo_getUserIniPath"), "\"TAVO_IMGCREATE\"");
  EXPECT_EQ(ArgumentsOf("tavo_getUserIniFile"), "\"TAVO_IMGCREATE\" \"Rasterwerk.ini\"");
  EXPECT_EQ(ArgumentsOf("Tavo_pathInfo"), "\"Rasterwerk.chm\"");
  EXPECT_EQ(ArgumentsOf("Tavo_layerDialog"), "\"TAVO_IMGCREATE\" \"ImageLayer\" \"Rasterwerk\" \"Z:\\u\\\"");
  EXPECT_EQ(ArgumentsOf("Tavo_newLayer"), "\"TAVO_IMGCREATE\" \"IMG\"");
  EXPECT_EQ(ArgumentsOf("Tavo_getLayerName"), "\"TAVO_IMGCREATE\" \"IMG\"");
}

TEST_F(CompanionCalls, WithoutTheCompanionEveryCallFailsQuietly) {
  for (const auto& [name, call] : kCalls) {
    SCOPED_TRACE(name);
    std::string out = "old";
    EXPECT_FALSE(call(out)) << name;
    EXPECT_TRUE(out == "old" || out == "old|old") << name;
  }
  EXPECT_EQ(user.transcript(), "");
}

TEST_F(CompanionCalls, FirstUseWithoutTheCompanionLeavesThePathsEmpty) {
  InitialiseOnFirstUse();
  EXPECT_EQ(theSettings.applicationKey, "TAVO_IMGCREATE");
  for (const std::string* path : {&theSettings.helpFolder, &theSettings.helpFileName, &theSettings.userIniFolder,
                                  &theSettings.iniFile})
    EXPECT_EQ(*path, "");
  EXPECT_EQ(theSettings.program, kProgramPhotoshop);  // the defaults
  EXPECT_EQ(theSettings.psResolution, 72.0);
  EXPECT_EQ(user.transcript(), "");
}

TEST_F(CompanionCalls, FirstUseTakesThePathsAndLoadsTheirSettings) {
  rwtest::TempFolder folder;
  folder.write("Rasterwerk.ini", "[SETTINGS_GROUP_IMAGE]\nFormat=BMP\n");
  Define("Tavo_pathInfo", acutBuildList(RTSTR, "D:\\Hilfe\\Rasterwerk.chm", 0));
  Define("tavo_getUserIniPath", acutBuildList(RTSTR, folder.windows().c_str(), 0));
  Define("tavo_getUserIniFile", acutBuildList(RTSTR, folder.windows("Rasterwerk.ini").c_str(), 0));
  InitialiseOnFirstUse();
  EXPECT_EQ(theSettings.helpFolder, "D:\\Hilfe\\");
  EXPECT_EQ(theSettings.helpFileName, "Rasterwerk.chm");
  EXPECT_EQ(theSettings.userIniFolder, folder.windows());
  EXPECT_EQ(theSettings.iniFile, folder.windows("Rasterwerk.ini"));
  EXPECT_EQ(theSettings.imageFormat, kFormatBmp);
}

TEST_F(CompanionCalls, EmptyHelpPathLeavesTheHelpFolderEmpty) {
  Define("Tavo_pathInfo", acutBuildList(RTSTR, "", 0));
  InitialiseOnFirstUse();
  EXPECT_EQ(theSettings.helpFolder, "");
  EXPECT_EQ(theSettings.helpFileName, "");
}

}  // namespace
