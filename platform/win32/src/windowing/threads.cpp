// Thread and process ids, per-thread queues and their end with the thread.
#include <unistd.h>

#include <algorithm>
#include <atomic>

#include "internal.h"
#include "win32/windowing.h"
#include "window_manager.h"

namespace win32::windowing {
namespace {

std::atomic<DWORD> nextThreadId{0x100};

// Ends the thread's windowing when the thread ends: its windows go away,
// waiting senders get 0, and hooks on it are removed.
struct ThreadExit {
  DWORD id = 0;
  ~ThreadExit() {
    if (id == 0) return;
    State& s = state();
    std::lock_guard guard(s.lock);
    auto it = s.queues.find(id);
    if (it == s.queues.end()) return;
    abandonSentMessages(*it->second, nullptr);
    for (HHOOK hook : it->second->hooks) s.hooks.erase(hook);
    std::erase_if(s.windows, [&](const auto& entry) { return entry.second.thread == id; });
    s.queues.erase(it);
  }
};
thread_local ThreadExit threadExit;

}  // namespace

State& state() {
  static State* instance = new State;  // outlives every thread's exit
  return *instance;
}

Queue& ownQueue() {
  DWORD id = GetCurrentThreadId();
  auto& slot = state().queues[id];
  if (!slot) {
    slot = std::make_unique<Queue>();
    threadExit.id = id;
  }
  return *slot;
}

Queue* queueOf(DWORD thread) {
  auto it = state().queues.find(thread);
  return it == state().queues.end() ? nullptr : it->second.get();
}

Window* findWindow(HWND handle) {
  auto it = state().windows.find(handle);
  return it == state().windows.end() ? nullptr : &it->second;
}

UINT_PTR newHandleValue() { return state().nextHandle += 4; }

bool takeInjectedFailure(const std::string& function) {
  auto& pending = state().pendingFailures;
  auto it = std::find(pending.begin(), pending.end(), function);
  if (it == pending.end()) return false;
  pending.erase(it);
  return true;
}

void abandonSentMessages(Queue& queue, HWND window) {
  std::erase_if(queue.sent, [&](const std::shared_ptr<SentMessage>& sent) {
    if (window != nullptr && sent->message.hwnd != window) return false;
    sent->done = true;
    if (Queue* sender = queueOf(sent->sender)) sender->wake.notify_all();
    return true;
  });
}

}  // namespace win32::windowing

using namespace win32::windowing;

DWORD WINAPI GetCurrentThreadId() {
  thread_local DWORD id = nextThreadId++;
  return id;
}

DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

namespace win32 {

void SetHookInstalledObserver(std::function<void()> observer) {
  std::lock_guard guard(state().lock);
  ownQueue().onHookInstalled = std::move(observer);
}

}  // namespace win32

namespace win32::testing {

void FailNextWindowCall(const std::string& function) {
  std::lock_guard guard(state().lock);
  if (function.empty()) state().pendingFailures.clear();
  else state().pendingFailures.push_back(function);
}

}  // namespace win32::testing
