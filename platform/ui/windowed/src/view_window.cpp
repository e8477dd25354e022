#include "view_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>

#include "key_actions.h"
#include "text.h"

namespace ui::windowed {
namespace {

std::optional<TypedKey> KeyOfEvent() {
  using Name = TypedKey::Name;
  switch (Fl::event_key()) {
    case FL_Enter:
    case FL_KP_Enter: return TypedKey{Name::Enter, ""};
    case FL_Escape: return TypedKey{Name::Escape, ""};
    case FL_Tab: return TypedKey{Name::Tab, ""};
    case FL_BackSpace: return TypedKey{Name::Backspace, ""};
    case FL_Delete: return TypedKey{Name::Delete, ""};
    case FL_Up: return TypedKey{Name::Up, ""};
    case FL_Down: return TypedKey{Name::Down, ""};
    default: break;
  }
  if (Fl::event_length() <= 0) return std::nullopt;
  return TypedKey{Name::Character, std::string(Fl::event_text(), Fl::event_length())};
}

}  // namespace

ViewWindow::ViewWindow(const WindowView& view)
    : Fl_Double_Window(std::max(view.width, 1), std::max(view.height, 1)), view_(view) {
  end();
  // The close box.
  callback([](Fl_Widget* w, void*) { static_cast<ViewWindow*>(w)->emit({"close", {}}); });
  build();
  showState();
}

ViewWindow::~ViewWindow() = default;

ControlAction ViewWindow::takeInput() {
  ControlAction action = std::move(input_.front());
  input_.pop_front();
  return action;
}

bool ViewWindow::sameControls(const WindowView& view) const {
  if (view.controls.size() != view_.controls.size() || view.keysOneByOne != view_.keysOneByOne) return false;
  for (size_t i = 0; i < view.controls.size(); ++i)
    if (view.controls[i].name != view_.controls[i].name || view.controls[i].kind != view_.controls[i].kind)
      return false;
  return true;
}

void ViewWindow::build() {
  clear();  // deletes the widgets
  controls_.clear();
  widgets_.clear();
  begin();
  MakeFillLayer(*this);
  for (const ViewControl& c : view_.controls) {
    ControlWidget* control = MakeControlWidget(c, view_);
    controls_.push_back(control);
    if (!c.name.empty()) widgets_[c.name] = control->widget();
  }
  end();
}

void ViewWindow::update(const WindowView& view) {
  const bool rebuild = !sameControls(view);
  view_ = view;
  if (rebuild) build(), focusTaken_ = false;
  showState();
}

void ViewWindow::showState() {
  const std::string caption = Utf8FromAnsi(view_.caption);
  if (!label() || caption != label()) copy_label(caption.c_str());
  if (w() != view_.width || h() != view_.height) size(std::max(view_.width, 1), std::max(view_.height, 1));
  if (child(0)) child(0)->size(w(), h());  // the fill layer
  if (Fl_RGB_Image* icon = pictures_.icon(view_.icon)) this->icon(icon);
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->show(view_.controls[i], *this);
  redraw();
}

// FLTK's focus follows the model's, so that the person sees where keys go.
void ViewWindow::takeFocus() {
  auto it = widgets_.find(view_.focus);
  Fl_Widget* target = it == widgets_.end() ? nullptr : it->second;
  if (target && !(target->visible() && target->active())) target = nullptr;
  // A window that keeps no focus of its own offers one when it is made; then
  // the person's focus stays where the person puts it.
  if (!view_.keysOneByOne && (focusTaken_ || !target)) return;
  focusTaken_ = true;
  if (auto* group = dynamic_cast<Fl_Group*>(target); group && group->children() > 0 && !dynamic_cast<Fl_Input*>(target))
    target = group->child(0);  // a combo box: its edit
  if (!target) target = this;
  if (Fl::focus() != target) Fl::focus(target);
}

int ViewWindow::handleKey() {
  const int state = Fl::event_state();
  if (state & (FL_ALT | FL_META)) return 0;  // the buttons' shortcuts
  const std::optional<TypedKey> key = KeyOfEvent();
  if (!view_.keysOneByOne) {
    if (!key || (key->name != TypedKey::Name::Enter && key->name != TypedKey::Name::Escape)) return 0;
    if (key->name == TypedKey::Name::Escape) return emit({"close", {}}), 1;
    // Enter ends the typing in the focused field first.
    if (auto* input = dynamic_cast<Fl_Input*>(Fl::focus()); input && input->changed()) input->do_callback(), input->clear_changed();
    for (const ViewControl& c : view_.controls)
      if (c.isDefault && c.enabled && c.visible) return emit({"click", {c.name}}), 1;
    return 1;
  }
  if ((state & FL_CTRL) && (Fl::event_key() == 'v' || Fl::event_key() == 'V')) {
    const ViewControl* focused = FindControl(view_, view_.focus);
    if (focused && (focused->kind == ViewControl::Kind::Edit || focused->kind == ViewControl::Kind::ComboBox) &&
        Fl::focus())
      Fl::paste(*Fl::focus(), 1);
    return 1;
  }
  if (state & FL_CTRL) return 1;
  if (!key) return 1;
  if (auto action = ActionForKey(view_, *key)) emit(std::move(*action));
  return 1;
}

int ViewWindow::handle(int event) {
  if (event == FL_KEYBOARD) return handleKey();
  const int handled = Fl_Double_Window::handle(event);
  // A press that no control took reaches the model as a press at its point.
  if (event == FL_PUSH && !handled && view_.keysOneByOne && Fl::event_button() == FL_LEFT_MOUSE) {
    emit({"mouse", {std::to_string(Fl::event_x()), std::to_string(Fl::event_y())}});
    return 1;
  }
  return handled;
}

}  // namespace ui::windowed
