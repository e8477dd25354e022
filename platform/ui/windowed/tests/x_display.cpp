#include "x_display.h"

#include <FL/Fl_PNG_Image.H>
#include <FL/x.H>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace guitest {

bool Screenshot(const Fl_Window& window, const std::filesystem::path& path) {
  return Screenshot(static_cast<unsigned long>(fl_xid(&window)), path);
}

bool Screenshot(unsigned long windowId, const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", windowId);
  const std::string command = "import -window " + std::string(id) + " '" + path.string() + "' 2>/dev/null";
  std::error_code error;
  return std::system(command.c_str()) == 0 && std::filesystem::file_size(path, error) > 0;
}

unsigned PixelOf(const std::filesystem::path& png, int x, int y) {
  Fl_PNG_Image image(png.string().c_str());
  if (x < 0 || y < 0 || image.w() <= x || image.h() <= y || image.d() < 3 || image.count() != 1) return 0xFFFFFFFFu;
  const int row = image.ld() ? image.ld() : image.w() * image.d();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(image.data()[0]) + y * row + x * image.d();
  return p[0] << 16 | p[1] << 8 | p[2];
}

bool SendCloseBox(unsigned long windowId) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = windowId;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display, windowId, False, NoEventMask, &event) != 0;
  XCloseDisplay(display);
  return sent;
}

}  // namespace guitest
