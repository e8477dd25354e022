// Posting, sending, retrieving and dispatching window messages.
#include "dialogs/dialog_windows.h"
#include "internal.h"
#include "window_manager.h"

using namespace win32::windowing;
using win32::detail::Fail;

namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

WNDPROC ProcedureOf(HWND handle) {
  Window* window = findWindow(handle);
  return window ? window->procedure : nullptr;
}

// Answers the messages other threads sent to this thread's windows; the
// lock is released while a window procedure runs.
void DeliverSentMessages(Queue& queue, std::unique_lock<std::mutex>& guard) {
  while (!queue.sent.empty()) {
    std::shared_ptr<SentMessage> sent = queue.sent.front();
    queue.sent.pop_front();
    WNDPROC procedure = ProcedureOf(sent->message.hwnd);
    guard.unlock();
    const MSG& m = sent->message;
    LRESULT result = procedure ? procedure(m.hwnd, m.message, m.wParam, m.lParam) : 0;
    guard.lock();
    sent->result = result;
    sent->done = true;
    if (Queue* sender = queueOf(sent->sender)) sender->wake.notify_all();
  }
}

bool Matches(const MSG& m, HWND filter, UINT first, UINT last) {
  if (filter == kThreadMessagesOnly ? m.hwnd != nullptr : (filter != nullptr && m.hwnd != filter)) return false;
  return (first == 0 && last == 0) || (m.message >= first && m.message <= last);
}

// Passes a retrieved message through the thread's message hooks, newest first.
void CallMessageHooks(MSG& message, UINT removal) {
  HHOOK first = nullptr;
  HOOKPROC procedure = nullptr;
  {
    std::lock_guard guard(state().lock);
    Queue& queue = ownQueue();
    if (queue.hooks.empty()) return;
    first = queue.hooks.front();
    procedure = state().hooks[first].procedure;
  }
  procedure(HC_ACTION, removal, reinterpret_cast<LPARAM>(&message));
}

// Takes the next message for the filter; false when none is there and the
// caller does not wait. The quit request comes after every posted message.
bool Retrieve(MSG& out, HWND filter, UINT first, UINT last, UINT removal, bool wait) {
  std::unique_lock guard(state().lock);
  Queue& queue = ownQueue();
  for (;;) {
    DeliverSentMessages(queue, guard);
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
      if (!Matches(*it, filter, first, last)) continue;
      out = *it;
      if (removal & PM_REMOVE) queue.posted.erase(it);
      guard.unlock();
      CallMessageHooks(out, removal);
      return true;
    }
    if (queue.quit) {
      out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, GetTickCount(), {0, 0}};
      if (removal & PM_REMOVE) queue.quit = false;
      return true;
    }
    if (!wait) return false;
    queue.wake.wait(guard);
  }
}

bool PostTo(Queue& queue, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  queue.posted.push_back(MSG{hWnd, Msg, wParam, lParam, GetTickCount(), {0, 0}});
  queue.wake.notify_all();
  return true;
}

}  // namespace

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (lpMsg == nullptr) return Fail(ERROR_INVALID_PARAMETER, -1);
  if (hWnd != nullptr && hWnd != kThreadMessagesOnly && !IsWindow(hWnd)) return Fail(ERROR_INVALID_WINDOW_HANDLE, -1);
  Retrieve(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE, true);
  return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (lpMsg == nullptr) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  return Retrieve(*lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg, false) ? TRUE : FALSE;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  std::lock_guard guard(state().lock);
  if (hWnd == nullptr) return PostTo(ownQueue(), nullptr, Msg, wParam, lParam);
  Window* window = findWindow(hWnd);
  Queue* queue = window ? queueOf(window->thread) : nullptr;
  if (queue == nullptr) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  return PostTo(*queue, hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
  std::lock_guard guard(state().lock);
  Queue* queue = queueOf(idThread);
  if (queue == nullptr) return Fail(ERROR_INVALID_THREAD_ID, FALSE);
  return PostTo(*queue, nullptr, Msg, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (win32::dialogs::Owns(hWnd)) return win32::dialogs::Send(hWnd, Msg, wParam, lParam);
  std::unique_lock guard(state().lock);
  Window* window = findWindow(hWnd);
  if (window == nullptr) return Fail<LRESULT>(ERROR_INVALID_WINDOW_HANDLE, 0);
  if (window->thread == GetCurrentThreadId()) {
    WNDPROC procedure = window->procedure;
    guard.unlock();
    return procedure(hWnd, Msg, wParam, lParam);
  }
  auto sent = std::make_shared<SentMessage>();
  sent->message = MSG{hWnd, Msg, wParam, lParam, GetTickCount(), {0, 0}};
  sent->sender = GetCurrentThreadId();
  Queue& receiver = *queueOf(window->thread);
  receiver.sent.push_back(sent);
  receiver.wake.notify_all();
  // While waiting, answer what others send to this thread, as Windows does.
  Queue& own = ownQueue();
  while (!sent->done) {
    DeliverSentMessages(own, guard);
    if (!sent->done) own.wake.wait(guard);
  }
  return sent->result;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (lpMsg == nullptr || lpMsg->hwnd == nullptr) return 0;
  WNDPROC procedure = nullptr;
  {
    std::lock_guard guard(state().lock);
    Window* window = findWindow(lpMsg->hwnd);
    if (window == nullptr) return Fail<LRESULT>(ERROR_INVALID_WINDOW_HANDLE, 0);
    procedure = window->procedure;
  }
  return procedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }  // no keyboard input here

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM, LPARAM) {
  if (Msg == WM_CLOSE) DestroyWindow(hWnd);
  return 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

void WINAPI PostQuitMessage(int nExitCode) {
  std::lock_guard guard(state().lock);
  Queue& queue = ownQueue();
  queue.quit = true;
  queue.quitCode = nExitCode;
  queue.wake.notify_all();
}
