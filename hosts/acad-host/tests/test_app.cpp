// An application module for the host tests: it registers a command and its
// "C:" LISP entry, a LISP function that echoes its arguments, and records in
// the journal every message it gets. Built as TestApp.arx, OtherApp.arx and
// FailingApp.arx (whose initialisation fails after registering) and
// OldApp.arx (built for an older API release).
#include <afxwin.h>

#include <string>

#include "acadi.h"
#include "accmd.h"
#include "aced.h"
#include "arx/journal.h"
#include "rxregsvc.h"

namespace {

constexpr short kHelloCode = 7;
constexpr short kEchoCode = 8;
constexpr short kAutomationCode = 9;
const std::string kName = APP_NAME;
const std::string kCommand = "TESTAPP_" + std::string(APP_NAME == std::string("TestApp") ? "HELLO" : APP_NAME);
const std::string kGroup = kName + "_Group";

void hello() { acutPrintf("\nhello from %s\n", kName.c_str()); }

int echo() { return acedRetList(acedGetArgs()) == RTNORM ? RSRSLT : RSERR; }

// T when the editor's application object hands out an automation interface
// that answers for the editor's application, else nil.
int automation() {
  CWinApp* app = acedGetAcadWinApp();
  LPDISPATCH dispatch = app ? app->GetIDispatch(TRUE) : nullptr;
  IAcadApplication* application = nullptr;
  if (dispatch) {
    dispatch->QueryInterface(IID_IAcadApplication, reinterpret_cast<void**>(&application));
    dispatch->Release();
  }
  const int answered = application ? acedRetT() : acedRetNil();
  if (application) application->Release();
  return answered == RTNORM ? RSRSLT : RSERR;
}

AcRx::AppRetCode initialise(void* appId) {
  acrxDynamicLinker->unlockApplication(appId);
  acrxRegisterAppMDIAware(appId);
  if (!acrxDynamicLinker->loadModule("acISMobj16.dbx", true, false)) return AcRx::kRetError;
  acedRegCmds->addCommand(kGroup.c_str(), kCommand.c_str(), kCommand.c_str(), ACRX_CMD_MODAL, hello);
  acedDefun(("C:" + kCommand).c_str(), kHelloCode);
  acedDefun((kName + "_echo").c_str(), kEchoCode);
  acedRegFunc(echo, kEchoCode);
  acedDefun((kName + "_automation").c_str(), kAutomationCode);
  acedRegFunc(automation, kAutomationCode);
#ifdef FAIL_INIT
  return AcRx::kRetError;
#else
  return AcRx::kRetOK;
#endif
}

void unload() {
  acedRegCmds->removeGroup(kGroup.c_str());
  acedUndef(("C:" + kCommand).c_str(), kHelloCode);
  acedUndef((kName + "_echo").c_str(), kEchoCode);
  acedUndef((kName + "_automation").c_str(), kAutomationCode);
}

}  // namespace

#ifdef API_VERSION
extern "C" int acrxGetApiVersion() { return API_VERSION; }
#endif

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
  arx::journal().add(kName + " got " + std::to_string(msg));
  switch (msg) {
    case AcRx::kInitAppMsg: return initialise(appId);
    case AcRx::kUnloadAppMsg: unload(); break;
    case AcRx::kInvkSubrMsg:
      if (acedGetFunCode() == kHelloCode) hello();
      break;
    default: break;
  }
  return AcRx::kRetOK;
}
