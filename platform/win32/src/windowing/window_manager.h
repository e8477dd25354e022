#pragma once
// The window manager's shared state: classes, windows, per-thread queues and
// hooks, all guarded by one lock.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

namespace win32::windowing {

struct WindowClass {
  std::string name;
  HINSTANCE instance = nullptr;
  WNDPROC procedure = nullptr;
  UINT style = 0;
};

struct Window {
  HWND handle = nullptr;
  std::string className;
  std::string title;
  DWORD thread = 0;
  WNDPROC procedure = nullptr;
  bool visible = false;
};

// A message sent from another thread, answered by the receiving thread.
struct SentMessage {
  MSG message{};
  LRESULT result = 0;
  bool done = false;
  DWORD sender = 0;
};

struct Hook {
  HHOOK handle = nullptr;
  HOOKPROC procedure = nullptr;
  DWORD thread = 0;
};

struct Queue {
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> sent;
  bool quit = false;
  int quitCode = 0;
  std::vector<HHOOK> hooks;  // newest first
  std::function<void()> onHookInstalled;
  std::condition_variable wake;
};

struct State {
  std::mutex lock;
  std::vector<WindowClass> classes;
  std::map<HWND, Window> windows;
  std::map<DWORD, std::unique_ptr<Queue>> queues;
  std::map<HHOOK, Hook> hooks;
  std::vector<std::string> pendingFailures;
  UINT_PTR nextHandle = 0x10010;
};

State& state();
// The calling thread's queue, made on first use (lock held).
Queue& ownQueue();
// The queue of `thread`, nullptr when that thread has none (lock held).
Queue* queueOf(DWORD thread);
// The window behind `handle`, nullptr when there is none (lock held).
Window* findWindow(HWND handle);
// A new handle value, never reused (lock held).
UINT_PTR newHandleValue();
// True (and the failure used up) when a test asked `function` to fail (lock held).
bool takeInjectedFailure(const std::string& function);
// Answers every message still waiting for `window` (or for every window of
// `thread` when window is null) with 0 (lock held).
void abandonSentMessages(Queue& queue, HWND window);

}  // namespace win32::windowing
