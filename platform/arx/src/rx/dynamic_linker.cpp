// The dynamic linker over the application table.
#include "adslib.h"
#include "arx/journal.h"
#include "rx/app_table.h"
#include "rx/failures.h"
#include "rxdlinkr.h"

using arx::detail::Application;

ACRX_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)

bool AcRxDynamicLinker::loadModule(const char* fileName, bool printit, bool /*asCmd*/) {
  if (fileName == nullptr || *fileName == '\0') return false;
  const arx::LoadResult result = arx::detail::loadModuleByName(fileName);
  if (!result.ok && printit) acutPrintf("\n%s\n", result.error.c_str());
  return result.ok;
}

bool AcRxDynamicLinker::unloadModule(const char* fileName, bool /*asCmd*/) {
  arx::journal().add(std::string("unloadModule ") + (fileName ? fileName : ""));
  if (fileName == nullptr || arx::detail::consumeFailure("unloadModule")) return false;
  Application* app = arx::detail::findApplicationNamed(fileName);
  if (app == nullptr || app->locked) return false;
  arx::detail::unloadApplication(*app);
  return true;
}

bool AcRxDynamicLinker::unlockApplication(void* appId) const {
  Application* app = arx::detail::findApplication(appId);
  arx::journal().add("unlockApplication " + (app ? app->fileName : std::string("?")));
  if (app == nullptr || arx::detail::consumeFailure("unlockApplication")) return false;
  app->locked = false;
  return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId) const {
  Application* app = arx::detail::findApplication(appId);
  if (app == nullptr) return false;
  app->locked = true;
  return true;
}

bool AcRxDynamicLinker::isApplicationLocked(const char* fileName) const {
  const Application* app = fileName ? arx::detail::findApplicationNamed(fileName) : nullptr;
  return app != nullptr && app->locked;
}
