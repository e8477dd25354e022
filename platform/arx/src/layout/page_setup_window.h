#pragma once
// The page setup dialog as a window: the device, its paper, the plot area
// and the plot window of the draft being edited, with OK (1) and Cancel (2).
#include "arx/drawing.h"
#include "ui/window_view.h"

namespace arx::layout {

class PageSetupWindow : public ui::ShownWindow {
 public:
  explicit PageSetupWindow(const PageSetup& draft) : draft_(draft) {}
  ui::WindowView view() const override;

 private:
  const PageSetup& draft_;
};

}  // namespace arx::layout
