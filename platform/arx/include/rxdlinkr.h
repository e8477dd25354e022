#pragma once
// The dynamic linker: loads and unloads the editor's modules and keeps
// applications from being unloaded while they are locked.
#include "rxobject.h"

class AcRxDynamicLinker : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);

  // Loads a module by file name (a Windows path or a name the editor knows,
  // such as its own raster module "acISMobj16.dbx") and initialises it.
  // Loading a module that is already loaded succeeds at once. With `printit`
  // a failure is explained on the command line.
  bool loadModule(const char* fileName, bool printit, bool asCmd = false);
  // Sends the unload message and frees the module; refused while the
  // application is locked.
  bool unloadModule(const char* fileName, bool asCmd = false);
  // Applications start locked; unlocking lets them be unloaded on request.
  bool unlockApplication(void* appId) const;
  bool lockApplication(void* appId) const;
  bool isApplicationLocked(const char* fileName) const;
};
