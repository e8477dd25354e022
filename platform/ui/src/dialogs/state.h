#pragma once
// The inside of a dialog model, shared by its sources.
#include "ui/dialog.h"

namespace ui {

struct Dialog::State {
  DialogTemplate source;
  std::vector<Control> controls;
  std::string caption;
  Picture bigIcon, smallIcon;
  DialogListener* listener = nullptr;
  int focus = -1;
  bool visible = true;
  bool enabled = true;
  bool invalid = true;
  std::vector<PaintedFill> fills;
  bool running = false;
  bool ended = false;
  int result = 0;
};

}  // namespace ui
