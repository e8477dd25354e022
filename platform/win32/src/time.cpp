// Sleep and the tick counts.
#include <chrono>
#include <thread>

#include <windows.h>

void WINAPI Sleep(DWORD dwMilliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

ULONGLONG WINAPI GetTickCount64() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

DWORD WINAPI GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }
