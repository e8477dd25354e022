// WaitForEditorClose and SignalEditorWindow against a stand-in Photoshop
// window on its own thread, which acts once the plug-in's hook is installed.
#include <gmock/gmock.h>
#include <win32/windowing.h>

#include <atomic>
#include <functional>
#include <future>
#include <thread>

#include "bridge_fixture.h"
#include "hooklib/hook_protocol.h"
#include "photoshop/editor_close_wait.h"
#include "testing/case_name.h"

namespace {

using ::testing::HasSubstr;

constexpr UINT kAct = WM_APP + 7;
constexpr UINT kOther = WM_USER + 77;

std::function<void()> action;  // what the window's thread does once hooked
std::atomic<int> noticesReceived{0};

LRESULT CALLBACK FakeEditorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAct && action) action();
  if (message == CloseNotifyMessage) ++noticesReceived;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MessageWindow() { return FindWindowA(kMessageWindowClass, kMessageWindowTitle); }

// A top-level window of class "Photoshop" pumped by its own thread.
class FakeEditor {
 public:
  FakeEditor() {
    std::promise<HWND> made;
    auto future = made.get_future();
    thread_ = std::thread([&made] {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = FakeEditorProcedure;
      windowClass.lpszClassName = kEditorWindowClass;
      RegisterClassA(&windowClass);
      HWND w = CreateWindowExA(0, kEditorWindowClass, "fake", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
      win32::SetHookInstalledObserver([w] { PostMessageA(w, kAct, 0, 0); });
      made.set_value(w);
      MSG m;
      while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
      DestroyWindow(w);
      UnregisterClassA(kEditorWindowClass, nullptr);
    });
    window_ = future.get();
  }
  ~FakeEditor() {
    PostThreadMessageA(GetWindowThreadProcessId(window_, nullptr), WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }

 private:
  std::thread thread_;
  HWND window_ = nullptr;
};

class CloseWaitTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    noticesReceived = 0;
    action = [] { PostMessageA(MessageWindow(), CloseNotifyMessage, 0, 0); };
  }
  void TearDown() override {
    action = nullptr;
    win32::testing::FailNextWindowCall("");
    BridgeTest::TearDown();
  }
  bool ClassIsRegistered() {
    WNDCLASSA probe{};
    probe.lpfnWndProc = DefWindowProcA;
    probe.hInstance = theSettings.hookLibrary;
    probe.lpszClassName = kMessageWindowClass;
    if (RegisterClassA(&probe) == 0) return true;
    UnregisterClassA(kMessageWindowClass, theSettings.hookLibrary);
    return false;
  }
  bool QuitIsPending() {
    MSG m;
    return PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && m.message == WM_QUIT;
  }
};

TEST_F(CloseWaitTest, OtherEditorsAreNotWaitedFor) {
  FakeEditor editor;
  EXPECT_TRUE(WaitForEditorClose(kProgramGimp, theSettings.hookLibrary));
  EXPECT_FALSE(ClassIsRegistered());
  EXPECT_EQ(Transcript(), "");
}

TEST_F(CloseWaitTest, APostedNoticeEndsTheWaitWithoutBeingDispatched) {
  FakeEditor editor;
  EXPECT_TRUE(WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary));
  EXPECT_EQ(theEditorCloseWait.lastMessage.message, CloseNotifyMessage);
  EXPECT_FALSE(QuitIsPending());  // the window procedure never saw it
  EXPECT_EQ(MessageWindow(), nullptr);
  EXPECT_FALSE(ClassIsRegistered());
  EXPECT_EQ(theEditorCloseWait.editorWindow, editor.window());
}

TEST_F(CloseWaitTest, ASentNoticeIsAnsweredZeroAndTheWaitEndsWithTheQuitRequest) {
  FakeEditor editor;
  std::atomic<LRESULT> answer{-1};
  action = [&] { answer = SendMessageA(MessageWindow(), CloseNotifyMessage, 0, 0); };
  EXPECT_TRUE(WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary));
  EXPECT_EQ(theEditorCloseWait.lastMessage.message, static_cast<UINT>(WM_QUIT));
  SendMessageA(editor.window(), WM_NULL, 0, 0);  // the sender has finished its action
  EXPECT_EQ(answer, 0);
}

TEST_F(CloseWaitTest, OtherMessagesAreDispatchedAndTheWaitGoesOn) {
  FakeEditor editor;
  action = [] {
    PostMessageA(MessageWindow(), kOther, 0, 0);
    PostMessageA(MessageWindow(), CloseNotifyMessage, 0, 0);
  };
  EXPECT_TRUE(WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary));
  EXPECT_EQ(theEditorCloseWait.lastMessage.message, CloseNotifyMessage);
}

TEST_F(CloseWaitTest, SignalSendsTheNoticeToTheEditorWindowOfTheWait) {
  FakeEditor editor;
  ASSERT_TRUE(WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary));
  SignalEditorWindow();
  EXPECT_EQ(noticesReceived, 1);
}

struct FailureCase {
  const char* name;
  const char* failingCall;  // injected failure, or nullptr
  bool editorRuns;
  bool foreignLibrary;      // a module without the hook procedure
  const char* text;
};

const FailureCase kFailures[] = {
    {"RegisterClass", "RegisterClassA", true, false, "Can not register hook window class"},
    {"CreateWindow", "CreateWindowExA", true, false, "Can not create hook window"},
    {"HookAddress", nullptr, true, true, "Can not retrieve the address of the exported hook-function!"},
    {"EditorWindow", nullptr, false, false, "Can not retrieve the handle to the top-level Photoshop window!"},
    {"EditorThread", "GetWindowThreadProcessId", true, false, "Can not retrieve the identifier of the Photoshop thread!"},
    {"Hook", "SetWindowsHookExA", true, false, "Can not install the hook!"},
};

class CloseWaitFailureTest : public CloseWaitTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CloseWaitFailureTest, ShowsItsMessageLeavesNothingRegisteredAndTheNextWaitWorks) {
  const FailureCase& c = GetParam();
  HMODULE library = c.foreignLibrary ? GetModuleHandleA(nullptr) : theSettings.hookLibrary;
  {
    std::unique_ptr<FakeEditor> editor = c.editorRuns ? std::make_unique<FakeEditor>() : nullptr;
    if (c.failingCall) win32::testing::FailNextWindowCall(c.failingCall);
    EXPECT_FALSE(WaitForEditorClose(kProgramPhotoshop, library));
    EXPECT_THAT(Transcript(), HasSubstr(std::string("  | ") + c.text));
    EXPECT_THAT(Transcript(), HasSubstr("caption=\"Rasterwerk\" buttons=ok icon=none owner=\"\""));
    EXPECT_EQ(MessageWindow(), nullptr);
    EXPECT_FALSE(ClassIsRegistered());
  }
  FakeEditor editor;
  SignalEditorWindow();  // after a failed wait: to no window
  EXPECT_EQ(noticesReceived, 0);
  EXPECT_TRUE(WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary));
}

INSTANTIATE_TEST_SUITE_P(Steps, CloseWaitFailureTest, ::testing::ValuesIn(kFailures),
                         rwtest::CaseName());

}  // namespace
