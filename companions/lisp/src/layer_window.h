#pragma once
// The layer dialog as a person sees it: the drawing's layers with their
// colours to choose from, the name of the layer (typed or chosen) and the
// key of the layer definition it is kept under. OK answers "KEY NAME",
// Cancel and the close box answer "cancel".
#include <optional>
#include <string>
#include <vector>

#include "ui/window_view.h"

namespace companion {

class LayerWindow : public ui::ShownWindow {
 public:
  // `name`: the definition's layer name so far ("" for none).
  LayerWindow(std::string title, std::string key, std::string name);

  ui::WindowView view() const override;
  std::optional<std::vector<std::string>> answer(const ui::ControlAction& action) override;

 private:
  struct DrawingLayer {
    std::string name;
    long colour = -1;  // 0x00BBGGRR
  };
  static std::vector<DrawingLayer> ReadLayers();
  int chosen() const;  // the layer named in the name field, -1 for none

  std::string title_, key_, name_;
  std::vector<DrawingLayer> layers_;
};

}  // namespace companion
