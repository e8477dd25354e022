#include <afxwin.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace {

TEST(ModuleState, ProgramStateIsCurrentByDefault) {
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
}

TEST(ModuleState, ManageStateRestoresAtScopeEndAndOnException) {
  AFX_MODULE_STATE outer, inner;
  {
    AFX_MANAGE_STATE(&outer);
    EXPECT_EQ(AfxGetModuleState(), &outer);
    try {
      AFX_MANAGE_STATE(&inner);
      EXPECT_EQ(AfxGetModuleState(), &inner);
      throw std::runtime_error("command failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(AfxGetModuleState(), &outer);
  }
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
}

TEST(ModuleState, CurrentStateIsPerThread) {
  AFX_MODULE_STATE mine;
  AFX_MANAGE_STATE(&mine);
  AFX_MODULE_STATE* seenByOther = nullptr;
  std::thread([&] { seenByOther = AfxGetModuleState(); }).join();
  EXPECT_EQ(seenByOther, AfxGetAppModuleState());
  EXPECT_EQ(AfxGetModuleState(), &mine);
}

TEST(ModuleState, AppAndHandlesComeFromTheCurrentState) {
  AFX_MODULE_STATE state;
  AFX_MANAGE_STATE(&state);
  CWinApp app("Probe");
  auto instance = reinterpret_cast<HINSTANCE>(&state);
  state.m_hCurrentInstanceHandle = instance;
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(AfxGetInstanceHandle(), instance);
  AfxSetResourceHandle(instance);
  EXPECT_EQ(AfxGetResourceHandle(), instance);
  EXPECT_EQ(AfxGetAppModuleState()->m_hCurrentResourceHandle, nullptr);
}

TEST(ModuleState, DestroyedAppLeavesItsState) {
  AFX_MODULE_STATE state;
  AFX_MANAGE_STATE(&state);
  { CWinApp app; }
  EXPECT_EQ(AfxGetApp(), nullptr);
}

}  // namespace
