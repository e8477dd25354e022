// A module that reports each DllMain call into the file named by the
// environment variable WIN32_TEST_MODULE_LOG and answers the attach with
// ATTACH_RESULT.
#include <cstdio>
#include <cstdlib>
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (const char* log = std::getenv("WIN32_TEST_MODULE_LOG")) {
    if (FILE* f = std::fopen(log, "a")) {
      std::fprintf(f, "%s\n", reason == DLL_PROCESS_ATTACH ? "attach" : reason == DLL_PROCESS_DETACH ? "detach" : "other");
      std::fclose(f);
    }
  }
  return reason == DLL_PROCESS_ATTACH ? ATTACH_RESULT : TRUE;
}

extern "C" int TestAnswer() { return 42; }
