// Rasterwerk.dll's hook procedure on an editor thread: the user's close is
// held back and reported until the plug-in's notice lets it through.
#include <atomic>
#include <future>
#include <semaphore>
#include <thread>

#include <gtest/gtest.h>
#include <win32/posix.h>

#include "hooklib/hook_protocol.h"

namespace {

std::atomic<int> closesSeen{0};
std::atomic<int> noticesSeen{0};
constexpr UINT kMarker = WM_APP + 9;
std::binary_semaphore markerHandled(0);  // the editor thread has got this far

LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ++closesSeen;
    return 0;
  }
  if (message == kMarker) markerHandled.release();
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK NoticeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CloseNotifyMessage) ++noticesSeen;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* className, const char* title, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className, title, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

// An editor window on its own thread with the hook library's procedure on it.
class HookedEditor {
 public:
  explicit HookedEditor(HMODULE hookLibrary) {
    std::promise<HWND> made;
    auto future = made.get_future();
    thread_ = std::thread([&made] {
      made.set_value(MakeWindow("HookedEditor", "editor", EditorProcedure));
      MSG m;
      while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
    });
    window_ = future.get();
    auto procedure =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hookLibrary, kHookProcedureName)));
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, procedure, hookLibrary, GetWindowThreadProcessId(window_, nullptr));
  }
  ~HookedEditor() {
    UnhookWindowsHookEx(hook_);
    PostThreadMessageA(GetWindowThreadProcessId(window_, nullptr), WM_QUIT, 0, 0);
    thread_.join();
    UnregisterClassA("HookedEditor", nullptr);
  }
  // Posts the user's close and waits until the editor's thread has handled it.
  void UserCloses() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    PostMessageA(window_, kMarker, 0, 0);  // handled after the close, in order
    markerHandled.acquire();
  }
  HWND window() const { return window_; }

 private:
  std::thread thread_;
  HWND window_ = nullptr;
  HHOOK hook_ = nullptr;
};

// The hook library as the plug-in loads it.
class HookLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hookLibrary_ = LoadLibraryA(win32::ToWindowsPath(HOOK_LIBRARY).c_str());
    ASSERT_NE(hookLibrary_, nullptr);
    closesSeen = 0;
    noticesSeen = 0;
  }
  void TearDown() override { FreeLibrary(hookLibrary_); }
  // Takes the notices posted to the plug-in's message window.
  void TakeNotices(HWND messageWindow) {
    MSG m;
    while (PeekMessageA(&m, messageWindow, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }

  HMODULE hookLibrary_ = nullptr;
};

TEST_F(HookLibraryTest, TheCloseIsHeldAndReportedUntilThePluginsNotice) {
  HWND messageWindow = MakeWindow(kMessageWindowClass, kMessageWindowTitle, NoticeProcedure);
  HookedEditor editor(hookLibrary_);
  editor.UserCloses();
  TakeNotices(messageWindow);
  EXPECT_EQ(noticesSeen, 1);
  EXPECT_EQ(closesSeen, 0);  // the document stays for automation
  editor.UserCloses();       // closing again while held: reported again
  TakeNotices(messageWindow);
  EXPECT_EQ(noticesSeen, 2);
  EXPECT_EQ(closesSeen, 0);
  SendMessageA(editor.window(), CloseNotifyMessage, 0, 0);
  EXPECT_EQ(closesSeen, 1);  // the held close goes through now
  DestroyWindow(messageWindow);
  UnregisterClassA(kMessageWindowClass, nullptr);
}

TEST_F(HookLibraryTest, WithoutThePluginsMessageWindowTheCloseGoesAhead) {
  HookedEditor editor(hookLibrary_);
  editor.UserCloses();
  EXPECT_EQ(closesSeen, 1);
}

}  // namespace
