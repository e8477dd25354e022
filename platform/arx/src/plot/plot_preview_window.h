#pragma once
// The plot preview as a window: the plotted picture, shrunk to fit the
// screen, and a button to close it (any input to it closes the preview).
#include <string>

#include "ui/window_view.h"

namespace arx {

class PlotPreviewWindow : public ui::ShownWindow {
 public:
  // `picture`: the plot (a PNG file); `title`: what is plotted on what.
  PlotPreviewWindow(std::string picture, std::string title, int width, int height);
  ui::WindowView view() const override;

 private:
  std::string picture_, title_;
  int width_, height_;
};

}  // namespace arx
