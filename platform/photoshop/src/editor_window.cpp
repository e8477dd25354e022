#include "editor_window.h"

#include <win32/posix.h>

#include "editor.h"

namespace photoshop::detail {
namespace {

using Kind = ui::ViewControl::Kind;

constexpr auto Control = ui::MakeViewControl;

std::string FileName(const std::string& windowsPath) {
  return windowsPath.substr(windowsPath.find_last_of("\\/:") + 1);
}

}  // namespace

ui::WindowView EditorWindow::view() const {
  const std::vector<Document> documents = TheEditor().documents();
  const Document* active = documents.empty() ? nullptr : &documents.back();
  const std::string name = !active ? "" : active->windowsPath.empty() ? "Untitled" : FileName(active->windowsPath);
  ui::WindowView view;
  view.kind = "editor";
  view.target = "editor";
  view.caption = name.empty() ? "Photoshop" : "Photoshop - " + name;
  view.width = 360;
  view.height = 300;
  view.keysOneByOne = false;
  view.controls.push_back(
      Control("", Kind::Label, {10, 10, 350, 28}, name.empty() ? "No document is open." : "Layers of " + name + ":"));
  ui::ViewControl layers = Control("layers", Kind::List, {10, 30, 350, 240}, "");
  if (active)
    for (auto layer = active->layers.rbegin(); layer != active->layers.rend(); ++layer)
      layers.items.push_back({win32::Utf8ToCp1252(layer->name), -1, -1});
  view.controls.push_back(layers);
  view.controls.push_back(Control("", Kind::Label, {10, 250, 350, 290},
                                  "Edit the document, then close this window: the drawing editor goes on."));
  return view;
}

std::optional<std::vector<std::string>> EditorWindow::answer(const ui::ControlAction& action) {
  if (action.verb == "close") return std::vector<std::string>{"done"};
  return std::nullopt;
}

}  // namespace photoshop::detail
