// Windows, queues, messages across threads and message hooks.
#include <gtest/gtest.h>
#include <windows.h>
#include <win32/windowing.h>

#include <atomic>
#include <future>
#include <semaphore>
#include <thread>
#include <vector>

namespace {

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kAnswer = WM_USER + 2;

std::atomic<int> dispatched{0};
std::atomic<UINT> lastDispatched{0};
std::counting_semaphore<64> dispatchDone(0);  // one release per counted message

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) {
    ++dispatched;
    lastDispatched = message;
    dispatchDone.release();
  }
  if (message == kAnswer) return static_cast<LRESULT>(wParam * 2);
  if (message == WM_CLOSE) PostQuitMessage(7);
  return DefWindowProcA(window, message, wParam, lParam);
}

HINSTANCE Instance() { return reinterpret_cast<HINSTANCE>(0x1234); }

class WindowingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dispatched = 0;
    while (dispatchDone.try_acquire()) {
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingProcedure;
    windowClass.hInstance = Instance();
    windowClass.lpszClassName = "TestWindow";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
  }
  void TearDown() override {
    for (HWND w : windows_) DestroyWindow(w);
    UnregisterClassA("TestWindow", Instance());
    win32::testing::FailNextWindowCall("");
  }
  HWND MakeWindow(const char* title) {
    HWND w = CreateWindowExA(0, "TestWindow", title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                             nullptr, nullptr, Instance(), nullptr);
    windows_.push_back(w);
    return w;
  }
  std::vector<HWND> windows_;
};

// A thread owning one window, pumping its messages until WM_QUIT.
class WindowThread {
 public:
  explicit WindowThread(const char* title) {
    std::promise<HWND> made;
    auto window = made.get_future();
    thread_ = std::thread([&made, title, this] {
      HWND w = CreateWindowExA(0, "TestWindow", title, 0, 0, 0, 0, 0, nullptr, nullptr, Instance(), nullptr);
      threadId_ = GetCurrentThreadId();
      made.set_value(w);
      MSG m;
      while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
      DestroyWindow(w);
    });
    window_ = window.get();
  }
  ~WindowThread() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }
  DWORD threadId() const { return threadId_; }

 private:
  std::thread thread_;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
};

TEST_F(WindowingTest, ClassesAreRegisteredOncePerModuleAndKeptWhileWindowsUseThem) {
  WNDCLASSA again{};
  again.lpfnWndProc = CountingProcedure;
  again.hInstance = Instance();
  again.lpszClassName = "testwindow";
  EXPECT_EQ(RegisterClassA(&again), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  HWND w = MakeWindow("one");
  EXPECT_FALSE(UnregisterClassA("TestWindow", Instance()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  EXPECT_FALSE(UnregisterClassA("NoSuchClass", Instance()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(WindowingTest, WindowsAreFoundByClassAndTitle) {
  HWND first = MakeWindow("First");
  HWND second = MakeWindow("Second");
  EXPECT_EQ(FindWindowA("testWINDOW", "second"), second);
  EXPECT_EQ(FindWindowA("TestWindow", nullptr), first);
  EXPECT_EQ(FindWindowA("TestWindow", "Third"), nullptr);
  EXPECT_EQ(FindWindowA("Other", nullptr), nullptr);
  DWORD process = 0;
  EXPECT_EQ(GetWindowThreadProcessId(first, &process), GetCurrentThreadId());
  EXPECT_EQ(process, GetCurrentProcessId());
  EXPECT_EQ(GetWindowThreadProcessId(nullptr, nullptr), 0u);
}

TEST_F(WindowingTest, GetMessageWithAWindowFilterLeavesOtherMessagesQueued) {
  HWND mine = MakeWindow("mine");
  HWND other = MakeWindow("other");
  PostMessageA(other, kPing, 1, 0);
  PostMessageA(mine, kPing, 2, 0);
  MSG m{};
  ASSERT_EQ(GetMessageA(&m, mine, 0, 0), TRUE);
  EXPECT_EQ(m.hwnd, mine);
  EXPECT_EQ(m.wParam, 2u);
  ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), TRUE);
  EXPECT_EQ(m.hwnd, other);
  EXPECT_EQ(dispatched, 0);  // retrieving is not dispatching
}

TEST_F(WindowingTest, QuitIsRetrievedWhateverTheFilterAfterThePostedMessages) {
  HWND w = MakeWindow("w");
  PostMessageA(w, kPing, 0, 0);
  PostQuitMessage(3);
  MSG m{};
  EXPECT_EQ(GetMessageA(&m, w, 0, 0), TRUE);
  EXPECT_EQ(m.message, kPing);
  EXPECT_EQ(GetMessageA(&m, w, 0, 0), FALSE);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(WindowingTest, InvalidWindowsAreRefused) {
  HWND gone = MakeWindow("gone");
  DestroyWindow(gone);
  MSG m{};
  EXPECT_EQ(GetMessageA(&m, gone, 0, 0), -1);
  EXPECT_FALSE(PostMessageA(gone, kPing, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(SendMessageA(gone, kAnswer, 1, 0), 0);
  EXPECT_EQ(DispatchMessageA(nullptr), 0);
}

TEST_F(WindowingTest, SentMessagesReachAThreadWaitingInGetMessageAndTheAnswerComesBack) {
  WindowThread receiver("receiver");
  EXPECT_NE(receiver.threadId(), GetCurrentThreadId());
  EXPECT_EQ(SendMessageA(receiver.window(), kAnswer, 21, 0), 42);
  dispatchDone.acquire();
  EXPECT_FALSE(DestroyWindow(receiver.window()));  // only its own thread may
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(WindowingTest, PostedMessagesAreDispatchedOnTheOwningThread) {
  WindowThread receiver("receiver");
  PostMessageA(receiver.window(), kPing, 0, 0);
  dispatchDone.acquire();
  EXPECT_EQ(lastDispatched, kPing);
  EXPECT_EQ(dispatched, 1);
}

std::atomic<int> hookCalls{0};
HHOOK firstHook = nullptr;

LRESULT CALLBACK RenamingHook(int code, WPARAM wParam, LPARAM lParam) {
  ++hookCalls;
  auto* m = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && m->message == kPing) m->message = kAnswer;
  return CallNextHookEx(firstHook, code, wParam, lParam);
}

LRESULT CALLBACK CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  ++hookCalls;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(WindowingTest, MessageHooksOnAnotherThreadSeeAndMayChangeWhatThatThreadRetrieves) {
  WindowThread receiver("receiver");
  hookCalls = 0;
  HHOOK counting = SetWindowsHookExA(WH_GETMESSAGE, CountingHook, Instance(), receiver.threadId());
  firstHook = SetWindowsHookExA(WH_GETMESSAGE, RenamingHook, Instance(), receiver.threadId());
  ASSERT_NE(counting, nullptr);
  ASSERT_NE(firstHook, nullptr);
  PostMessageA(receiver.window(), kPing, 0, 0);
  dispatchDone.acquire();
  EXPECT_EQ(lastDispatched, kAnswer);
  EXPECT_EQ(hookCalls, 2);  // the newest hook, then the next one
  EXPECT_TRUE(UnhookWindowsHookEx(firstHook));
  EXPECT_TRUE(UnhookWindowsHookEx(counting));
  EXPECT_FALSE(UnhookWindowsHookEx(counting));
  PostMessageA(receiver.window(), kPing, 0, 0);
  dispatchDone.acquire();
  EXPECT_EQ(lastDispatched, kPing);
  EXPECT_EQ(SendMessageA(receiver.window(), kAnswer, 1, 0), 2);  // sent messages pass no hook
  dispatchDone.acquire();
  EXPECT_EQ(hookCalls, 2);
}

TEST_F(WindowingTest, HooksNeedAKnownThreadAndTheirOwnType) {
  EXPECT_EQ(SetWindowsHookExA(WH_GETMESSAGE, CountingHook, Instance(), 0xFFFFFF), nullptr);
  EXPECT_EQ(SetWindowsHookExA(WH_GETMESSAGE, nullptr, Instance(), GetCurrentThreadId()), nullptr);
  EXPECT_EQ(SetWindowsHookExA(7, CountingHook, Instance(), GetCurrentThreadId()), nullptr);
}

TEST_F(WindowingTest, InstallingAHookTellsTheHookedThreadsObserver) {
  std::atomic<int> told{0};
  win32::SetHookInstalledObserver([&] { ++told; });
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountingHook, Instance(), GetCurrentThreadId());
  EXPECT_EQ(told, 1);
  UnhookWindowsHookEx(hook);
  win32::SetHookInstalledObserver(nullptr);
}

TEST_F(WindowingTest, InjectedFailuresHitTheNextCallOnly) {
  HWND w = MakeWindow("w");
  win32::testing::FailNextWindowCall("GetWindowThreadProcessId");
  EXPECT_EQ(GetWindowThreadProcessId(w, nullptr), 0u);
  EXPECT_EQ(GetWindowThreadProcessId(w, nullptr), GetCurrentThreadId());
  win32::testing::FailNextWindowCall("CreateWindowExA");
  EXPECT_EQ(MakeWindow("x"), nullptr);
}

}  // namespace
