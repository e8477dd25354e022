#include "ui/window_view.h"

namespace ui {

OpenWindow::OpenWindow(ShownWindow& window) : window_(window) { driver().windowOpened(window_); }

OpenWindow::~OpenWindow() { driver().windowClosed(window_); }

}  // namespace ui
