#pragma once
// The plot preview's window while the user looks at it: the plotted picture,
// shrunk to fit the screen, and a button that closes it.
#include <string>

#include "ui/window_view.h"

namespace arx::plot {

class PlotPreviewWindow : public ui::ShownWindow {
 public:
  // `picture`: the plot (a PNG file); `title`: what is plotted on what.
  PlotPreviewWindow(std::string picture, std::string title, int width, int height);
  ui::WindowView view() const override;

 private:
  std::string picture_, title_;
  int width_, height_;
};

// Shows the preview until the user closes it. Its input is played by the one
// input player (docs/answers.md) under the name "plotpreview": `close` or a
// click on its one button, `close`, ends it; other input is ignored, and when
// no input is left for it, it is closed as by its close box.
void runPlotPreviewWindow(const std::string& picture, const std::string& title, int width, int height);

}  // namespace arx::plot
