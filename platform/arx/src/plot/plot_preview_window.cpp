#include "plot_preview_window.h"

#include <algorithm>
#include <vector>

#include "ui/driver.h"
#include "ui/input_player.h"

namespace arx::plot {
namespace {

constexpr const char* kTarget = "plotpreview";
constexpr int kLargestWidth = 900, kLargestHeight = 650;  // the picture's room
constexpr int kMargin = 10, kButtonHeight = 25;

// The preview as the input player sees it: one button, "close".
class PreviewInput : public ui::InputAdapter {
 public:
  bool open = true;

  std::string name() const override { return std::string("dialog ") + kTarget; }
  std::string target(const std::string& control) override { return control == "close" ? "" : "no control " + control; }
  std::string unusable() const override { return ""; }
  void close() override { open = false; }
  void click() override { open = false; }
  void pressWindow(int, int) override { ui::ignoreInput(*this, "the preview takes no clicks"); }
  std::vector<ui::HitCandidate> hitCandidates() const override { return {}; }
  void check(bool) override { ui::ignoreInput(*this, "close is a button"); }
  void select(const std::string&, int) override { ui::ignoreInput(*this, "close is a button"); }
  void setText(const std::string&) override { ui::ignoreInput(*this, "close is a button"); }
  void type(const std::string&) override { ui::ignoreInput(*this, "close is a button"); }
  void key(const ui::InputKey& key) override {
    if (key.name == ui::InputKey::Name::Enter || key.name == ui::InputKey::Name::Escape) open = false;
  }
  void focus() override {}
  void leave() override {}
};

}  // namespace

PlotPreviewWindow::PlotPreviewWindow(std::string picture, std::string title, int width, int height)
    : picture_(std::move(picture)), title_(std::move(title)), width_(width), height_(height) {}

ui::WindowView PlotPreviewWindow::view() const {
  const double scale = width_ > 0 && height_ > 0
                           ? std::min({1.0, static_cast<double>(kLargestWidth) / width_,
                                       static_cast<double>(kLargestHeight) / height_})
                           : 1.0;
  const int width = std::max(200, width_ > 0 ? static_cast<int>(width_ * scale) : kLargestWidth);
  const int height = std::max(100, height_ > 0 ? static_cast<int>(height_ * scale) : kLargestHeight);
  ui::WindowView view;
  view.kind = "dialog";
  view.target = kTarget;
  view.caption = "Plot Preview - " + title_;
  view.width = width + 2 * kMargin;
  view.height = height + 3 * kMargin + kButtonHeight;
  view.keysOneByOne = false;
  ui::ViewControl picture;
  picture.name = "picture";
  picture.kind = ui::ViewControl::Kind::Picture;
  picture.rect = {kMargin, kMargin, kMargin + width, kMargin + height};
  picture.pictureFile = picture_;
  picture.text = "The plot is too large to be shown here.";
  view.controls.push_back(picture);
  ui::ViewControl close;
  close.name = "close";
  close.kind = ui::ViewControl::Kind::PushButton;
  close.rect = {view.width - kMargin - 85, view.height - kMargin - kButtonHeight, view.width - kMargin,
                view.height - kMargin};
  close.text = "Close";
  close.isDefault = true;
  view.controls.push_back(close);
  return view;
}

void runPlotPreviewWindow(const std::string& picture, const std::string& title, int width, int height) {
  ui::Driver& driver = ui::driver();
  PlotPreviewWindow window(picture, title, width, height);
  const ui::OpenWindow shown(window);
  PreviewInput preview;
  while (preview.open) {
    const auto action = driver.nextAction(kTarget);
    if (action) ui::playInput(preview, *action);
    else preview.open = false;  // no input left: closed as by its close box
  }
  driver.record("plotpreview closed");
}

}  // namespace arx::plot
