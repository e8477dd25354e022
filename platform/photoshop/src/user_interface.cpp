// The editor's window: the user's close arrives as WM_CLOSE, which closes the
// user's documents. The user acts once somebody listens to the window's
// messages (a message hook on this thread): the UI driver's answer "editor
// done" says the user has finished.
#include "user_interface.h"

#include <ui/driver.h>
#include <ui/window_view.h>
#include <win32/modules.h>
#include <win32/windowing.h>

#include "editor.h"
#include "editor_answers.h"
#include "editor_window.h"
#include "photoshop/server.h"

namespace photoshop::detail {
namespace {

constexpr UINT kUsersTurn = WM_APP + 1;
constexpr UINT kQuit = WM_APP + 2;

HINSTANCE OwnModule() { return win32::ModuleOfAddress(reinterpret_cast<const void*>(&OwnModule)); }

LRESULT CALLBACK EditorWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kUsersTurn: {
      // Without an answer nobody is left to work in the editor: it is closed
      // as if the user had finished, so that nothing waits for ever.
      EditorWindow shown;
      const ui::OpenWindow open(shown);
      ui::driver().take(kEditorAnswer);
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    }
    case WM_CLOSE:
      TheEditor().closeAllDocuments();
      return 0;
    case kQuit:
      DestroyWindow(window);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

UserInterface::UserInterface() {
  std::promise<HWND> ready;
  std::future<HWND> window = ready.get_future();
  thread_ = std::thread([this, &ready] { run(ready); });
  window_ = window.get();
}

UserInterface::~UserInterface() {
  if (window_ != nullptr) PostMessageA(window_, kQuit, 0, 0);
  if (thread_.joinable()) thread_.join();
}

void UserInterface::run(std::promise<HWND>& ready) {
  // Looked up once, now: when the library is unloaded with the editor still
  // running, its end runs while the loader's lock is held, and a lookup of
  // the module then would wait for ever.
  const HINSTANCE module = OwnModule();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = EditorWindowProcedure;
  windowClass.hInstance = module;
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, kWindowClass, "Adobe Photoshop", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                                0, CW_USEDEFAULT, 0, nullptr, nullptr, module, nullptr);
  if (window != nullptr)
    win32::SetHookInstalledObserver([window] { PostMessageA(window, kUsersTurn, 0, 0); });
  ready.set_value(window);
  if (window == nullptr) return;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  win32::SetHookInstalledObserver(nullptr);
  TheEditor().closeAllDocuments();
  UnregisterClassA(kWindowClass, module);
}

}  // namespace photoshop::detail
