#include <afxwin.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/scripted_user.h"
#include "win32/modules.h"
#include "win32/posix.h"

namespace {

using ::testing::HasSubstr;

class MfcModule : public ::testing::Test {
 protected:
  // A fresh in-memory transcript, shared with the modules through ui.
  void StartTranscript() { user_.answer(""); }

  static std::string ModulePath(const std::string& kind) {
    return win32::ToWindowsPath(std::string(MFC_TEST_MODULE_DIR) + "/MfcTest" + kind + ".arx");
  }

  rwtest::ScriptedUser user_;
};

TEST_F(MfcModule, SucceedingInitInstanceLoadsWithTheAppInTheModuleState) {
  HMODULE module = LoadLibraryA(ModulePath("Good").c_str());
  ASSERT_NE(module, nullptr) << win32::LastLoadErrorText();
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());  // the loader's state is back

  using StateOf = AFX_MODULE_STATE* (*)();
  auto stateOf = reinterpret_cast<StateOf>(
      reinterpret_cast<void*>(GetProcAddress(module, "TestModuleState")));
  ASSERT_NE(stateOf, nullptr);
  AFX_MODULE_STATE* state = stateOf();
  EXPECT_NE(state, AfxGetAppModuleState());
  ASSERT_NE(state->m_pCurrentWinApp, nullptr);
  EXPECT_STREQ(state->m_pCurrentWinApp->m_pszAppName, "MfcTest");
  EXPECT_EQ(state->m_pCurrentWinApp->m_hInstance, module);
  EXPECT_EQ(state->m_hCurrentResourceHandle, module);
  EXPECT_EQ(user_.transcript(), "InitInstance in its own state\n");

  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(user_.transcript(),
            "InitInstance in its own state\nExitInstance in its own state\n");
}

struct RefusedCase {
  const char* kind;
  const char* transcript;
};

TEST_F(MfcModule, FailingInitInstanceRefusesTheModuleAfterExitInstance) {
  const RefusedCase cases[] = {
      {"Failing", "InitInstance in its own state\nExitInstance in its own state\n"},
      {"Throwing", "InitInstance in its own state\nerror: InitInstance of "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    StartTranscript();
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA(ModulePath(c.kind).c_str()), nullptr) << c.kind;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED)) << c.kind;
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState()) << c.kind;
    const std::string text = user_.transcript();
    EXPECT_EQ(text.rfind(c.transcript, 0), 0u) << text;
    EXPECT_THAT(text, HasSubstr("ExitInstance in its own state\n"));
    EXPECT_EQ(GetModuleHandleA(("MfcTest" + std::string(c.kind) + ".arx").c_str()), nullptr);
  }
}

TEST_F(MfcModule, ThrowingInitInstanceIsReportedWithItsReason) {
  EXPECT_EQ(LoadLibraryA(ModulePath("Throwing").c_str()), nullptr);
  const std::string text = user_.transcript();
  EXPECT_THAT(text, HasSubstr("MfcTestThrowing.arx failed: no licence\n"));
}

}  // namespace
