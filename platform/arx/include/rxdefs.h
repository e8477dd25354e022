#pragma once
// Application messages and return codes exchanged between the editor and the
// modules it loads (acrxEntryPoint).

namespace AcRx {

enum AppMsgCode {
  kNullMsg = 0,
  kInitAppMsg = 1,
  kUnloadAppMsg = 2,
  kLoadDwgMsg = 3,
  kUnloadDwgMsg = 4,
  kInvkSubrMsg = 5,
  kCfgMsg = 6,
  kEndMsg = 7,
  kQuitMsg = 8,
  kSaveMsg = 9,
  kDependencyMsg = 10,
  kNoDependencyMsg = 11,
  kOleUnloadAppMsg = 12,
  kPreQuitMsg = 13,
  kInitDialogMsg = 14,
  kEndDialogMsg = 15,
  kSuspendMsg = 16,
};

enum AppRetCode { kRetOK = 0, kRetError = 3 };

}  // namespace AcRx

// The entry point every application module exports as "acrxEntryPoint".
typedef AcRx::AppRetCode (*AcRxEntryPointFunc)(AcRx::AppMsgCode msg, void* appId);

// The API release modules are built for. Modules export acrxGetApiVersion
// (from the static library arx_module) and the loader refuses modules of
// another release.
#define ACRX_API_VERSION 16
extern "C" int acrxGetApiVersion();
typedef int (*AcRxApiVersionFunc)();

// A command function.
typedef void (*AcRxFunctionPtr)();
