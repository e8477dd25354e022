// The editor's entry into the module: initialise, unload and LISP calls.
#include "accmd.h"
#include "aced.h"
#include "commands/commands.h"
#include "rxregsvc.h"
#include "settings/plugin_settings.h"

namespace {

constexpr const char* kCommandGroup = "RASTERWERK_Group_";
constexpr short kCreateImageCode = 32;
constexpr short kEditImageCode = 64;

struct Command {
  const char* name;
  const char* lispEntry;
  short code;
  AcRxFunctionPtr function;
};
constexpr Command kCommands[] = {
    {"TAVO_IMGCREATE", "C:TAVO_IMGCREATE", kCreateImageCode, CreateImageCommand},
    {"TAVO_IMGEDIT", "C:TAVO_IMGEDIT", kEditImageCode, EditImageCommand},
};

AcRx::AppRetCode InitialiseApplication(void* appId) {
  AcRxDynamicLinker* linker = AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
  AcEdCommandStack* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
  if (linker == nullptr || commands == nullptr) return AcRx::kRetError;
  linker->unlockApplication(appId);
  acrxRegisterAppMDIAware(appId);
  // The raster image classes.
  if (!linker->loadModule("acISMobj16.dbx", true, false)) return AcRx::kRetError;
  for (const Command& command : kCommands)
    commands->addCommand(kCommandGroup, command.name, command.name, ACRX_CMD_MODAL, command.function);
  for (const Command& command : kCommands) acedDefun(command.lispEntry, command.code);
  return AcRx::kRetOK;
}

AcRx::AppRetCode UnloadApplication() {
  if (theSettings.hookLibrary != nullptr) FreeLibrary(theSettings.hookLibrary);
  theSettings.hookLibrary = nullptr;
  if (AcEdCommandStack* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)))
    commands->removeGroup(kCommandGroup);
  acedUndef("C:TAVO_IMGEDIT", kEditImageCode);
  acedUndef("C:TAVO_IMGCREATE", kCreateImageCode);
  return AcRx::kRetOK;
}

// A "C:" entry runs its command; the LISP call gets no value back.
void InvokeLispEntry() {
  const int code = acedGetFunCode();
  for (const Command& command : kCommands)
    if (code == command.code) command.function();
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId) {
  switch (message) {
    case AcRx::kInitAppMsg: return InitialiseApplication(appId);
    case AcRx::kUnloadAppMsg: return UnloadApplication();
    case AcRx::kInvkSubrMsg: InvokeLispEntry(); break;
    default: break;
  }
  return AcRx::kRetOK;
}
