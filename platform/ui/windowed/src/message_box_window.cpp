// A message box: its icon, text and buttons in the order Windows shows them.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/fl_ask.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "answers.h"
#include "driver_windows.h"
#include "text.h"
#include "transcript.h"
#include "view_window.h"

namespace ui::windowed {
namespace {

constexpr int kMargin = 12, kIconSide = 32, kButtonWidth = 75, kButtonHeight = 23, kGap = 6, kNarrowest = 220;
constexpr int kLongestLine = 420;  // the text wraps beyond this

// MB_DEFBUTTON2 and MB_DEFBUTTON3 choose the default button.
int DefaultIndex(unsigned type, size_t buttons) {
  const size_t index = (type >> 8) & 0xF;
  return static_cast<int>(index < buttons ? index : 0);
}

// The icon as a round sign: error, question, warning, information.
Fl_Box* MakeIcon(unsigned type) {
  const unsigned icon = type & 0xF0;
  if (icon == 0) return nullptr;
  auto* box = new Fl_Box(kMargin, kMargin, kIconSide, kIconSide);
  box->box(FL_OVAL_BOX);
  box->labelfont(FL_HELVETICA_BOLD);
  box->labelsize(20);
  switch (icon) {
    case 0x10: box->color(FL_RED), box->label("X"), box->labelcolor(FL_WHITE); break;
    case 0x20: box->color(FL_BLUE), box->label("?"), box->labelcolor(FL_WHITE); break;
    case 0x30: box->color(FL_YELLOW), box->label("!"), box->labelcolor(FL_BLACK); break;
    default: box->color(FL_BLUE), box->label("i"), box->labelcolor(FL_WHITE); break;
  }
  return box;
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(const MessageBoxRequest& request)
    : Fl_Double_Window(300, 120), buttons_(transcript::buttonsOf(request.type)) {
  copy_label(Utf8FromAnsi(request.caption).c_str());
  defaultButton_ = DefaultIndex(request.type, buttons_.size());
  begin();
  Fl_Box* icon = MakeIcon(request.type);
  if (icon) widgets_["icon"] = icon;
  const int textLeft = kMargin + (icon ? kIconSide + kMargin : 0);
  const std::string text = LabelText(request.text);
  fl_font(FL_HELVETICA, kFontSize);
  int textWidth = kLongestLine, textHeight = 0;
  fl_measure(text.c_str(), textWidth, textHeight, 0);
  textWidth = std::min(std::max(textWidth, 1), kLongestLine);
  fl_measure(text.c_str(), textWidth, textHeight, 0);
  // The label keeps a margin inside its box: room for it, so nothing wraps anew.
  auto* textBox = new Fl_Box(textLeft, kMargin, textWidth + 12, std::max(textHeight, icon ? kIconSide : 0));
  textBox->copy_label(text.c_str());
  textBox->labelsize(kFontSize);
  textBox->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
  widgets_["text"] = textBox;
  const int rowWidth = static_cast<int>(buttons_.size()) * (kButtonWidth + kGap) - kGap;
  const int width = std::max({textBox->x() + textBox->w() + kMargin, rowWidth + 2 * kMargin, kNarrowest});
  const int top = textBox->y() + textBox->h() + kMargin;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const std::string word = answers::buttonName(buttons_[i]);
    std::string caption = word == "tryagain" ? "Try Again" : word;
    caption[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[0])));
    if (caption == "Ok") caption = "OK";
    auto* button = new Fl_Button((width - rowWidth) / 2 + static_cast<int>(i) * (kButtonWidth + kGap), top,
                                 kButtonWidth, kButtonHeight);
    button->copy_label(caption.c_str());
    button->labelsize(kFontSize);
    button->callback([](Fl_Widget* w, void* id) {
      static_cast<MessageBoxWindow*>(w->window())->press(static_cast<int>(reinterpret_cast<intptr_t>(id)));
    }, reinterpret_cast<void*>(static_cast<intptr_t>(buttons_[i])));
    if (static_cast<int>(i) == defaultButton_) button->box(FL_BORDER_BOX), button->color(FL_BACKGROUND_COLOR);
    widgets_[word] = button;
  }
  end();
  size(width, top + kButtonHeight + kMargin);
  callback([](Fl_Widget* w, void*) { static_cast<MessageBoxWindow*>(w)->closeBox(); });
  set_modal();
}

// The close box and Escape: Cancel when the box has it, OK when it has only
// OK; a box without either cannot be closed that way.
void MessageBoxWindow::closeBox() {
  if (std::find(buttons_.begin(), buttons_.end(), kIdCancel) != buttons_.end()) return press(kIdCancel);
  if (buttons_.size() == 1 && buttons_[0] == kIdOk) return press(kIdOk);
  fl_beep();
}

int MessageBoxWindow::handle(int event) {
  if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
    // Enter presses the focused button, else the default one.
    for (size_t i = 0; i < buttons_.size(); ++i)
      if (Fl::focus() == widgets_[answers::buttonName(buttons_[i])]) return press(buttons_[i]), 1;
    return press(buttons_[defaultButton_]), 1;
  }
  if (event == FL_KEYBOARD && Fl::event_key() == FL_Escape) return closeBox(), 1;
  const int handled = Fl_Double_Window::handle(event);
  if (event == FL_SHOW) Fl::focus(widgets_[answers::buttonName(buttons_[defaultButton_])]);
  return handled;
}

}  // namespace ui::windowed
