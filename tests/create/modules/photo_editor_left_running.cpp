// Loaded by acad-host: starts the photo editor and never asks it to quit, as
// a command that an error ended would. The host unloads the modules with the
// editor's window thread still running.
#include <PhotoshopTypeLibrary.h>
#include <rxdefs.h>

// Under LeakSanitizer the reference kept on purpose is not reported as a leak.
extern "C" void __lsan_ignore_object(const void*) __attribute__((weak));

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message,
                                                                                  void*) {
  if (message == AcRx::kInitAppMsg) {
    CoInitialize(nullptr);
    IUnknown* editor = nullptr;  // kept: the editor goes on running
    CoCreateInstance(CLSID_PhotoshopApplication, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                     reinterpret_cast<void**>(&editor));
    if (editor != nullptr && __lsan_ignore_object != nullptr) __lsan_ignore_object(editor);
  }
  return AcRx::kRetOK;
}
