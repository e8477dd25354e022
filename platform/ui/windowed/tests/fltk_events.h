#pragma once
// The person's input to a window of the windowed driver, as FLTK's events
// injected into FLTK's own event handling. For the gui tests.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

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

}  // namespace guitest
