#pragma once
// A model's window on the screen: FLTK widgets at the places its view gives,
// brought up to date from the model before each input. What the person does
// in it becomes ControlActions, queued in order until the driver hands them
// to the model; the widgets never change the model themselves.
#include <FL/Fl_Double_Window.H>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "picture_store.h"
#include "ui/window_view.h"

namespace ui::windowed {

class ViewWindow;

// One control on the screen.
class ControlWidget {
 public:
  virtual ~ControlWidget() = default;
  virtual Fl_Widget* widget() = 0;
  // Shows the control's state; its kind and name stay as built.
  virtual void show(const ViewControl& control, ViewWindow& window) = 0;
};

// The font of the dialogs ("MS Shell Dlg" 8 pt is 11 pixels high).
inline constexpr int kFontSize = 11;

class ViewWindow : public Fl_Double_Window {
 public:
  explicit ViewWindow(const WindowView& view);
  ~ViewWindow() override;

  // Shows what the model holds now: the widgets are made again when the
  // controls changed in name or kind, else brought up to date.
  void update(const WindowView& view);
  const WindowView& view() const { return view_; }
  // The window is asked for input: FLTK's focus goes where the model has it.
  void takeFocus();

  // The person's input, oldest first.
  void emit(ControlAction action) { input_.push_back(std::move(action)); }
  bool hasInput() const { return !input_.empty(); }
  ControlAction takeInput();
  void dropInput() { input_.clear(); }

  const std::map<std::string, Fl_Widget*>& widgets() const { return widgets_; }
  PictureStore& pictures() { return pictures_; }

  int handle(int event) override;

 private:
  bool sameControls(const WindowView& view) const;
  void build();
  void showState();
  int handleKey();

  WindowView view_;
  std::vector<ControlWidget*> controls_;  // the window owns the widgets
  std::map<std::string, Fl_Widget*> widgets_;
  std::deque<ControlAction> input_;
  PictureStore pictures_;
  bool focusTaken_ = false;  // a window without a focus of its own has offered one
};

// The widget of one control, added to the current group (the window).
ControlWidget* MakeControlWidget(const ViewControl& control, const WindowView& view);

// The widget that paints the fills of the view under the controls.
Fl_Widget* MakeFillLayer(ViewWindow& window);

}  // namespace ui::windowed
