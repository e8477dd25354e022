// Rasterwerk.dll for the unload tests: journals its detach.
#include <windows.h>

#include "arx/journal.h"

extern "C" LRESULT CALLBACK PshOnCloseHook(int, WPARAM, LPARAM) { return 0; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) arx::journal().add("FreeLibrary Rasterwerk.dll");
  return TRUE;
}
