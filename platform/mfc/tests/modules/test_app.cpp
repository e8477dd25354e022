// A test module: reports its application's handlers through the UI
// transcript, which the test program shares with it.
#include <afxwin.h>

#include <stdexcept>
#include <string>

#include "ui/driver.h"

namespace {

const char* StateName(const CWinApp* app) {
  const bool own = AfxGetModuleState() == AfxGetStaticModuleState() && AfxGetApp() == app &&
                   AfxGetInstanceHandle() == app->m_hInstance && app->m_hInstance != nullptr;
  return own ? "in its own state" : "in a foreign state";
}

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("MfcTest") {}

  BOOL InitInstance() override {
    ui::driver().record(std::string("InitInstance ") + StateName(this));
    if (INIT_OUTCOME == 2) throw std::runtime_error("no licence");
    return INIT_OUTCOME;
  }

  int ExitInstance() override {
    ui::driver().record(std::string("ExitInstance ") + StateName(this));
    return CWinApp::ExitInstance();
  }
};

TestApp theApp;

}  // namespace

extern "C" __attribute__((visibility("default"))) AFX_MODULE_STATE* TestModuleState() {
  return AfxGetStaticModuleState();
}
