#include "plot_preview_window.h"

#include <string>
#include <vector>

#include "ui/driver.h"
#include "ui/input_player.h"

namespace arx::plot {
namespace {

constexpr const char* kTarget = "plotpreview";

// The preview as the input player sees it: a window without controls.
class PreviewInput : public ui::InputAdapter {
 public:
  bool open = true;

  std::string name() const override { return std::string("dialog ") + kTarget; }
  std::string target(const std::string& control) override { return "no control " + control; }
  std::string unusable() const override { return ""; }
  void close() override { open = false; }
  void pressWindow(int, int) override { ui::ignoreInput(*this, "the preview has no controls"); }
  std::vector<ui::HitCandidate> hitCandidates() const override { return {}; }
  // No control is ever chosen, so the player never asks for these.
  void click() override {}
  void check(bool) override {}
  void select(const std::string&, int) override {}
  void setText(const std::string&) override {}
  void type(const std::string&) override {}
  void key(const ui::InputKey&) override {}
  void focus() override {}
  void leave() override {}
};

}  // namespace

void runPlotPreviewWindow() {
  ui::Driver& driver = ui::driver();
  PreviewInput preview;
  while (preview.open) {
    const auto action = driver.nextAction(kTarget);
    if (action) ui::playInput(preview, *action);
    else preview.open = false;  // no input left: closed as by its close box
  }
  driver.record("plotpreview closed");
}

}  // namespace arx::plot
