#include "plot_preview_window.h"

#include <algorithm>

namespace arx {
namespace {

constexpr int kLargestWidth = 900, kLargestHeight = 650;  // the picture's room
constexpr int kMargin = 10, kButtonHeight = 25;

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
  view.target = "plotpreview";
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

}  // namespace arx
