// The companion's entry point: defines its LISP functions when the host
// initialises it and removes them when it unloads.
#include "aced.h"
#include "functions.h"

namespace {

struct LispFunction {
  const char* name;
  short code;
  int (*handler)();
};

constexpr LispFunction kFunctions[] = {
    {"tavo_getUserIniPath", 1, companion::GetUserIniPath},
    {"tavo_getUserIniFile", 2, companion::GetUserIniFile},
    {"Tavo_pathInfo", 3, companion::PathInfo},
    {"Tavo_layerDialog", 4, companion::LayerDialog},
    {"Tavo_newLayer", 5, companion::NewLayer},
    {"Tavo_getLayerName", 6, companion::GetLayerName},
};

AcRx::AppRetCode DefineFunctions() {
  for (const LispFunction& function : kFunctions) {
    if (acedDefun(function.name, function.code) != RTNORM ||
        acedRegFunc(function.handler, function.code) != RTNORM) {
      acutPrintf("\ncompanions-lisp: cannot define %s\n", function.name);
      return AcRx::kRetError;
    }
  }
  return AcRx::kRetOK;
}

void UndefineFunctions() {
  for (const LispFunction& function : kFunctions) acedUndef(function.name, function.code);
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId) {
  switch (message) {
    case AcRx::kInitAppMsg:
      acrxRegisterAppMDIAware(appId);
      return DefineFunctions();
    case AcRx::kUnloadAppMsg:
      UndefineFunctions();
      break;
    default:
      break;
  }
  return AcRx::kRetOK;
}
