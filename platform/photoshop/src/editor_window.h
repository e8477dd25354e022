#pragma once
// The editor's window as a person sees it: the open document and its layers,
// top first. Closing the window is the user finishing ("editor done").
#include <optional>
#include <string>
#include <vector>

#include <ui/window_view.h>

namespace photoshop::detail {

class EditorWindow : public ui::ShownWindow {
 public:
  ui::WindowView view() const override;
  std::optional<std::vector<std::string>> answer(const ui::ControlAction& action) override;
};

}  // namespace photoshop::detail
