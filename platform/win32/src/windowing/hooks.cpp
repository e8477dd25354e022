// Message hooks (WH_GETMESSAGE) on a thread, called as that thread retrieves
// its posted messages.
#include <algorithm>

#include "internal.h"
#include "window_manager.h"

using namespace win32::windowing;
using win32::detail::Fail;

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
  if (idHook != WH_GETMESSAGE) return Fail<HHOOK>(ERROR_INVALID_HOOK_FILTER, nullptr);
  if (lpfn == nullptr) return Fail<HHOOK>(ERROR_INVALID_FILTER_PROC, nullptr);
  if (dwThreadId == 0 && hmod == nullptr) return Fail<HHOOK>(ERROR_HOOK_NEEDS_HMOD, nullptr);
  std::function<void()> observer;
  HHOOK handle = nullptr;
  {
    std::lock_guard guard(state().lock);
    if (takeInjectedFailure("SetWindowsHookExA")) return Fail<HHOOK>(ERROR_ACCESS_DENIED, nullptr);
    Queue* queue = dwThreadId ? queueOf(dwThreadId) : nullptr;  // system-wide hooks are not offered
    if (queue == nullptr) return Fail<HHOOK>(ERROR_INVALID_PARAMETER, nullptr);
    handle = reinterpret_cast<HHOOK>(newHandleValue());
    state().hooks[handle] = {handle, lpfn, dwThreadId};
    queue->hooks.insert(queue->hooks.begin(), handle);
    observer = queue->onHookInstalled;
  }
  if (observer) observer();
  return handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
  std::lock_guard guard(state().lock);
  auto it = state().hooks.find(hhk);
  if (it == state().hooks.end()) return Fail(ERROR_INVALID_HOOK_HANDLE, FALSE);
  if (Queue* queue = queueOf(it->second.thread)) std::erase(queue->hooks, hhk);
  state().hooks.erase(it);
  return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
  HOOKPROC next = nullptr;
  {
    std::lock_guard guard(state().lock);
    auto it = state().hooks.find(hhk);
    if (it == state().hooks.end()) return 0;
    Queue* queue = queueOf(it->second.thread);
    if (queue == nullptr) return 0;
    auto position = std::find(queue->hooks.begin(), queue->hooks.end(), hhk);
    if (position == queue->hooks.end() || ++position == queue->hooks.end()) return 0;
    next = state().hooks[*position].procedure;
  }
  return next(nCode, wParam, lParam);
}
