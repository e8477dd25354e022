// MoXi.arx loaded as the editor loads it: from a folder of its own, with or
// without its hook library and message file beside it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <afxwin.h>

#include "accmd.h"
#include "aced.h"
#include "arx/host.h"
#include "arx/journal.h"
#include "testing/case_name.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace {

using ::testing::Not;
using ::testing::StartsWith;

namespace fs = std::filesystem;

const std::vector<std::string> kFirstUseCalls = {"acedInvoke Tavo_pathInfo", "acedInvoke tavo_getUserIniPath",
                                                 "acedInvoke tavo_getUserIniFile"};

class PluginModule : public ::testing::Test {
 protected:
  PluginModule() {
    arx::journal().clear();
    arx::clearFailures();
  }
  ~PluginModule() override {
    arx::unloadAllApplications();
  }

  // The module and what lies beside it, in `subfolder` of the test folder.
  std::string Install(const std::string& hookLibrary, const std::string& subfolder = "app") {
    const fs::path target = folder.path() / subfolder;
    fs::create_directories(target);
    fs::copy_file(MOXI_MODULE, target / "MoXi.arx");
    // The platform libraries the module finds beside itself.
    for (const auto& file : fs::directory_iterator(RW_BIN_DIR)) {
      const std::string name = file.path().filename().string();
      if (name.starts_with("lib") && name.ends_with(".so")) fs::create_symlink(file.path(), target / name);
    }
    if (!hookLibrary.empty()) fs::copy_file(hookLibrary, target / "Rasterwerk.dll");
    return win32::ToWindowsPath((target / "MoXi.arx").string());
  }

  std::vector<std::string> Journal() const { return arx::journal().entries(); }
  long Count(const std::string& entry) const {
    const auto entries = Journal();
    return std::count(entries.begin(), entries.end(), entry);
  }
  static bool Loaded() {
    const auto apps = arx::loadedApplications();
    return std::find(apps.begin(), apps.end(), "MoXi.arx") != apps.end();
  }

  rwtest::TempFolder folder;
  rwtest::ScriptedUser user;
};

struct RefusalCase {
  const char* name;
  const char* messageFile;  // "" for none
  const char* expected;     // the message box as the transcript shows it
};

class LoadWithoutHookLibrary : public PluginModule, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(LoadWithoutHookLibrary, IsRefusedAfterTheMessage) {
  const std::string module = Install("");
  if (*GetParam().messageFile) folder.write("app/Rasterwerk.msg", GetParam().messageFile);
  EXPECT_FALSE(arx::loadApplication(module).ok);
  EXPECT_FALSE(Loaded());
  EXPECT_EQ(user.transcript(), GetParam().expected);
  EXPECT_EQ(Count("acrxEntryPoint MoXi.arx kInitAppMsg"), 0);
}

const RefusalCase kRefusalCases[] = {
    {"DefaultTexts", "",
     "msgbox caption=\"Rasterwerk\" buttons=ok icon=none owner=\"\" -> ok (no answer)\n"
     "  | Unable to load dynamic library Rasterwerk.dll\n"},
    {"TextsFromTheMessageFile",
     "[SETTINGS_TITLE]\nMainDlgTitle=Bildwerk\n[SETTINGS_MSG]\nFailedToLoadDll=Bibliothek fehlt:\n",
     "msgbox caption=\"Bildwerk\" buttons=ok icon=none owner=\"\" -> ok (no answer)\n"
     "  | Bibliothek fehlt: Rasterwerk.dll\n"},
};
INSTANTIATE_TEST_SUITE_P(Cases, LoadWithoutHookLibrary, ::testing::ValuesIn(kRefusalCases),
                         rwtest::CaseName());

TEST_F(PluginModule, LoadRegistersTheCommandsAndTheirLispEntries) {
  ASSERT_TRUE(arx::loadApplication(Install(HOOK_LIBRARY)).ok);
  const std::vector<std::string> expected = {
      "loadModule MoXi.arx",
      "acrxEntryPoint MoXi.arx kInitAppMsg",
      "unlockApplication MoXi.arx",
      "acrxRegisterAppMDIAware MoXi.arx",
      "loadModule acISMobj16.dbx",
      "addCommand RASTERWERK_Group_ TAVO_IMGCREATE",
      "addCommand RASTERWERK_Group_ TAVO_IMGEDIT",
      "acedDefun C:TAVO_IMGCREATE 32",
      "acedDefun C:TAVO_IMGEDIT 64",
  };
  EXPECT_EQ(Journal(), expected);
  for (const char* name : {"TAVO_IMGCREATE", "TAVO_IMGEDIT"}) {
    SCOPED_TRACE(name);
    const AcEdCommand* command = acedRegCmds->lookupCmd(name, true);
    ASSERT_NE(command, nullptr) << name;
    EXPECT_STREQ(command->groupName(), "RASTERWERK_Group_");
    EXPECT_STREQ(command->localName(), name);
    EXPECT_EQ(command->commandFlags(), ACRX_CMD_MODAL);
    EXPECT_EQ(command->functionCode(), -1);
  }
  EXPECT_EQ(user.transcript(), "");
}

TEST_F(PluginModule, ModulePathLongerThanTheFirstBufferIsReadWhole) {
  const std::string subfolder = std::string(120, 'a') + "/" + std::string(120, 'b');
  const std::string module = Install(HOOK_LIBRARY, subfolder);
  ASSERT_GT(module.size(), 254u);
  EXPECT_TRUE(arx::loadApplication(module).ok) << user.transcript();
}

TEST_F(PluginModule, FailingRasterModuleLoadRegistersNothing) {
  HMODULE module = LoadLibraryA(Install(HOOK_LIBRARY).c_str());
  ASSERT_NE(module, nullptr);
  auto entry = reinterpret_cast<AcRxEntryPointFunc>(reinterpret_cast<void*>(GetProcAddress(module, "acrxEntryPoint")));
  ASSERT_NE(entry, nullptr);
  arx::failNext("loadModule");
  arx::journal().clear();
  EXPECT_EQ(entry(AcRx::kInitAppMsg, nullptr), AcRx::kRetError);
  for (const std::string& entry : Journal()) {
    EXPECT_THAT(entry, Not(StartsWith("addCommand")));
    EXPECT_THAT(entry, Not(StartsWith("acedDefun")));
  }
  EXPECT_EQ(acedRegCmds->lookupCmd("TAVO_IMGCREATE", true), nullptr);
  EXPECT_FALSE(arx::isLispFunctionDefined("C:TAVO_IMGEDIT"));
  FreeLibrary(module);
}

TEST_F(PluginModule, UnloadFreesTheHookLibraryThenRemovesCommandsAndEntries) {
  ASSERT_TRUE(arx::loadApplication(Install(JOURNAL_HOOK_LIBRARY)).ok);
  arx::journal().clear();
  arx::unloadAllApplications();
  const std::vector<std::string> expected = {
      "acrxEntryPoint MoXi.arx kUnloadAppMsg",
      "FreeLibrary Rasterwerk.dll",
      "removeGroup RASTERWERK_Group_",
      "acedUndef C:TAVO_IMGEDIT 64",
      "acedUndef C:TAVO_IMGCREATE 32",
  };
  EXPECT_EQ(Journal(), expected);
  EXPECT_EQ(acedRegCmds->lookupCmd("TAVO_IMGEDIT", true), nullptr);
}

// The first of the commands, however reached, reads paths and settings once.
struct FirstCommandCase {
  const char* name;
  const char* first;
  const char* later;
};

// Runs a command by name, or a LISP entry "(C:...)"; the LISP call gets no value.
void RunCommandOrEntry(const std::string& what) {
  if (what.front() != '(') {
    EXPECT_TRUE(arx::runCommand(what)) << what;
    return;
  }
  resbuf* call = acutBuildList(RTSTR, what.substr(1, what.size() - 2).c_str(), 0);
  resbuf* result = nullptr;
  EXPECT_EQ(acedInvoke(call, &result), RTNORM) << what;
  EXPECT_EQ(result, nullptr) << what;
  acutRelRb(call);
  acutRelRb(result);
}

class FirstCommand : public PluginModule, public ::testing::WithParamInterface<FirstCommandCase> {};

TEST_P(FirstCommand, ReadsTheSettingsOnce) {
  ASSERT_TRUE(arx::loadApplication(Install(HOOK_LIBRARY)).ok);
  arx::journal().clear();
  RunCommandOrEntry(GetParam().first);
  std::vector<std::string> invoked;
  for (const std::string& entry : Journal())
    if (entry.rfind("acedInvoke tavo", 0) == 0 || entry.rfind("acedInvoke Tavo", 0) == 0) invoked.push_back(entry);
  EXPECT_EQ(invoked, kFirstUseCalls);
  RunCommandOrEntry(GetParam().later);
  RunCommandOrEntry(GetParam().first);
  for (const std::string& call : kFirstUseCalls) EXPECT_EQ(Count(call), 1) << call;
}

const FirstCommandCase kFirstCommandCases[] = {
    {"CreateThenEdit", "TAVO_IMGCREATE", "TAVO_IMGEDIT"},
    {"EditThenCreate", "tavo_imgedit", "TAVO_IMGCREATE"},
    {"LispEditEntryThenEdit", "(C:TAVO_IMGEDIT)", "TAVO_IMGEDIT"},
    {"LispCreateEntryThenLispEdit", "(C:TAVO_IMGCREATE)", "(C:TAVO_IMGEDIT)"},
};
INSTANTIATE_TEST_SUITE_P(Cases, FirstCommand, ::testing::ValuesIn(kFirstCommandCases),
                         rwtest::CaseName());

// What a companion call made from inside a command sees of the MFC state.
std::string appDuringCommand;
AFX_MODULE_STATE* stateDuringCommand = nullptr;
int RecordApp() {
  stateDuringCommand = AfxGetModuleState();
  appDuringCommand = AfxGetApp() && AfxGetApp()->m_pszAppName ? AfxGetApp()->m_pszAppName : "(none)";
  acedRetNil();
  return RSRSLT;
}

TEST_F(PluginModule, CommandsRunInTheModulesOwnStateAndGiveTheHostsBack) {
  ASSERT_TRUE(arx::loadApplication(Install(HOOK_LIBRARY)).ok);
  constexpr short kCode = 99;
  acedDefun("Tavo_pathInfo", kCode);
  acedRegFunc(RecordApp, kCode);
  AFX_MODULE_STATE* hostState = AfxGetModuleState();
  appDuringCommand.clear();
  EXPECT_TRUE(arx::runCommand("TAVO_IMGEDIT"));
  EXPECT_NE(stateDuringCommand, hostState);
  EXPECT_EQ(appDuringCommand, "Rasterwerk");
  EXPECT_EQ(AfxGetModuleState(), hostState);
  acedUndef("Tavo_pathInfo", kCode);
}

TEST_F(PluginModule, ExportsOnlyItsEntryPoints) {
  HMODULE module = LoadLibraryA(Install(HOOK_LIBRARY).c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_NE(GetProcAddress(module, "acrxEntryPoint"), nullptr);
  auto apiVersion = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "acrxGetApiVersion")));
  ASSERT_NE(apiVersion, nullptr);
  EXPECT_EQ(apiVersion(), ACRX_API_VERSION);
  EXPECT_EQ(GetProcAddress(module, "theApp"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "_Z18CreateImageCommandv"), nullptr);
  FreeLibrary(module);
}

}  // namespace
