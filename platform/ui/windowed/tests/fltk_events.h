#pragma once
// The person's input to a window of the windowed driver, as FLTK's events
// (injected into FLTK's own event handling), and the window's picture as
// the X server shows it. For the gui tests.
#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <cstdio>
#include <filesystem>
#include <string>

namespace guitest {

// A key pressed where the window's focus is; `text` is what it types.
// Each one comes once the window shows what the last one changed, as a
// person acts on what they see.
inline void PressKey(Fl_Window& window, int key, const std::string& text = "", int state = 0) {
  Fl::flush();
  static std::string typed;
  typed = text;
  Fl::e_keysym = key;
  Fl::e_original_keysym = key;
  Fl::e_text = typed.data();
  Fl::e_length = static_cast<int>(typed.size());
  Fl::e_state = state;
  Fl::handle(FL_KEYBOARD, &window);
  Fl::e_state = 0;
}

// Characters typed one by one.
inline void Type(Fl_Window& window, const std::string& text) {
  for (char c : text) PressKey(window, static_cast<unsigned char>(c), std::string(1, c));
}

// A left click at a point of the window's client area (twice for a double click).
inline void ClickAt(Fl_Window& window, int x, int y, bool twice = false) {
  for (int click = 0; click < (twice ? 2 : 1); ++click) {
    Fl::flush();
    Fl::e_x = x, Fl::e_y = y;
    Fl::e_x_root = window.x() + x, Fl::e_y_root = window.y() + y;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_clicks = click;
    Fl::e_is_click = 1;
    Fl::e_state = FL_BUTTON1;
    Fl::handle(FL_PUSH, &window);
    Fl::e_state = 0;
    Fl::handle(FL_RELEASE, &window);
  }
}

// A click at the middle of a widget.
inline void Click(Fl_Window& window, const Fl_Widget& widget) {
  ClickAt(window, widget.x() + widget.w() / 2, widget.y() + widget.h() / 2);
}

// The window's picture as the X server shows it, written to `path` (PNG).
inline bool Screenshot(const Fl_Window& window, const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(fl_xid(&window)));
  const std::string command = "import -window " + std::string(id) + " '" + path.string() + "' 2>/dev/null";
  return std::system(command.c_str()) == 0 && std::filesystem::file_size(path) > 0;
}

// The colour (0xRRGGBB) of a pixel of a screenshot.
inline unsigned PixelOf(const std::filesystem::path& png, int x, int y) {
  Fl_PNG_Image image(png.string().c_str());
  if (image.w() <= x || image.h() <= y || image.d() < 3 || image.count() != 1) return 0xFFFFFFFFu;
  const int row = image.ld() ? image.ld() : image.w() * image.d();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(image.data()[0]) + y * row + x * image.d();
  return p[0] << 16 | p[1] << 8 | p[2];
}

}  // namespace guitest
