#pragma once
// The plot preview's window while the user looks at it.

namespace arx::plot {

// Shows the preview until the user closes it. Its input is played by the one
// input player (docs/answers.md) under the name "plotpreview": the window has
// no controls, so only `close` ends it; input to a control is ignored, and
// when no input is left for it, it is closed as by its close box.
void runPlotPreviewWindow();

}  // namespace arx::plot
