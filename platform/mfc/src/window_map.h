#pragma once
// Which MFC object stands for which window handle, and the message being
// handled (for CWnd::Default).
#include <afxwin.h>

namespace mfc::detail {

void MapPermanent(HWND window, CWnd* object);
void UnmapPermanent(HWND window);
// Detaches the objects of windows that no longer exist and frees the
// temporary objects made for them.
void ForgetDestroyedWindows();

// The message being handled on this thread while `scope` lives.
class CurrentMessage {
 public:
  CurrentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  ~CurrentMessage();
  CurrentMessage(const CurrentMessage&) = delete;
  CurrentMessage& operator=(const CurrentMessage&) = delete;
  static const MSG& Get();

 private:
  MSG previous_;
};

// Runs a window's handler for one message with the message current.
LRESULT CallWindowProc(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam);
// The same for windows whose messages may come from other threads: an
// exception is reported in the transcript and ends there.
LRESULT CallWindowProcGuarded(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace mfc::detail
