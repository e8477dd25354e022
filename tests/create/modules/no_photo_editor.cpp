// Loaded by acad-host before the plug-in: the photo editor is not installed.
#include <photoshop/server.h>
#include <rxdefs.h>

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message,
                                                                                  void*) {
  if (message == AcRx::kInitAppMsg) photoshop::Uninstall();
  return AcRx::kRetOK;
}
