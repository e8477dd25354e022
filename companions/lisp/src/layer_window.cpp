#include "layer_window.h"

#include <algorithm>
#include <cstdlib>

#include "acedads.h"
#include "aced.h"
#include "dbsymtb.h"

namespace companion {
namespace {

using Kind = ui::ViewControl::Kind;

constexpr auto Control = ui::MakeViewControl;

}  // namespace

LayerWindow::LayerWindow(std::string title, std::string key, std::string name)
    : title_(std::move(title)), key_(std::move(key)), name_(std::move(name)), layers_(ReadLayers()) {}

// The working drawing's layers in table order, each with its colour.
std::vector<LayerWindow::DrawingLayer> LayerWindow::ReadLayers() {
  std::vector<DrawingLayer> layers;
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  AcDbLayerTable* table = nullptr;
  if (db == nullptr || db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return layers;
  AcDbLayerTableIterator* iterator = nullptr;
  if (table->newIterator(iterator) == Acad::eOk) {
    for (; !iterator->done(); iterator->step()) {
      AcDbLayerTableRecord* record = nullptr;
      if (iterator->getRecord(record, AcDb::kForRead) != Acad::eOk) continue;
      ACHAR* name = nullptr;
      if (record->getName(name) == Acad::eOk) {
        layers.push_back({name, static_cast<long>(acedGetRGB(record->color().colorIndex()) & 0xFFFFFF)});
        delete[] name;
      }
      record->close();
    }
    delete iterator;
  }
  table->close();
  return layers;
}

int LayerWindow::chosen() const {
  auto it = std::find_if(layers_.begin(), layers_.end(), [&](const DrawingLayer& l) { return l.name == name_; });
  return it == layers_.end() ? -1 : static_cast<int>(it - layers_.begin());
}

ui::WindowView LayerWindow::view() const {
  ui::WindowView view;
  view.kind = "layerdialog";
  view.target = "layerdialog";
  view.caption = title_;
  view.width = 320;
  view.height = 300;
  view.keysOneByOne = false;
  view.controls.push_back(Control("", Kind::Label, {10, 10, 310, 26}, "Layers of the drawing:"));
  ui::ViewControl list = Control("layers", Kind::List, {10, 28, 310, 178}, "");
  for (const DrawingLayer& layer : layers_) list.items.push_back({layer.name, -1, layer.colour});
  list.selection = chosen();
  view.controls.push_back(list);
  view.controls.push_back(Control("", Kind::Label, {10, 190, 100, 212}, "Layer name:"));
  view.controls.push_back(Control("name", Kind::Edit, {110, 188, 310, 210}, name_));
  view.controls.push_back(Control("", Kind::Label, {10, 222, 100, 244}, "Definition:"));
  view.controls.push_back(Control("key", Kind::Edit, {110, 220, 310, 242}, key_));
  ui::ViewControl ok = Control("ok", Kind::PushButton, {130, 262, 215, 287}, "OK");
  ok.isDefault = true;
  view.controls.push_back(ok);
  view.controls.push_back(Control("cancel", Kind::PushButton, {225, 262, 310, 287}, "Cancel"));
  view.focus = "name";
  return view;
}

std::optional<std::vector<std::string>> LayerWindow::answer(const ui::ControlAction& action) {
  const std::string control = action.args.empty() ? "" : action.args[0];
  const std::string value = action.args.size() > 1 ? action.args[1] : "";
  if (action.verb == "close" || (action.verb == "click" && control == "cancel"))
    return std::vector<std::string>{"cancel"};
  if (action.verb == "click" && control == "ok" && !key_.empty() && !name_.empty())
    return std::vector<std::string>{key_, name_};
  if ((action.verb == "select" || action.verb == "set") && control == "layers") name_ = value;
  if (action.verb == "select-index" && control == "layers") {
    const size_t index = std::strtoul(value.c_str(), nullptr, 10);
    if (index < layers_.size()) name_ = layers_[index].name;
  }
  if (action.verb == "set" && control == "name") name_ = value;
  if (action.verb == "set" && control == "key") key_ = value;
  return std::nullopt;
}

}  // namespace companion
