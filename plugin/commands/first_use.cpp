// What the first command after module load finds out: the paths that the
// companion LISP library knows, and the user's settings.
#include "commands/commands.h"
#include "frame/companion_lisp.h"
#include "frame/help.h"
#include "settings/plugin_app.h"
#include "settings/plugin_settings.h"

namespace {

constexpr const char* kApplicationKey = "TAVO_IMGCREATE";

void FindHelpFile() {
  std::string helpPath;
  if (LispPathInfo("Rasterwerk.chm", helpPath) && !helpPath.empty()) {
    SplitHelpPath(helpPath, theSettings.helpFolder, theSettings.helpFileName);
  } else {
    theSettings.helpFileName = helpPath;
  }
}

void FindUserIniFile() {
  LispGetUserIniPath(theSettings.applicationKey, theSettings.userIniFolder);
  LispGetUserIniFile(theSettings.applicationKey, "Rasterwerk.ini", theSettings.iniFile);
}

}  // namespace

void InitialiseOnFirstUse() {
  theSettings.applicationKey = kApplicationKey;
  FindHelpFile();
  FindUserIniFile();
  theSettings.LoadSettings(theApp);
}
