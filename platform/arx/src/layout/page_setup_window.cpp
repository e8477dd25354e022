#include "page_setup_window.h"

#include "arx/plotdevices.h"
#include "page_setup_values.h"

namespace arx::layout {
namespace {

using Kind = ui::ViewControl::Kind;

constexpr int kLabelWidth = 100, kLeft = 10, kFieldLeft = 115, kRight = 430, kRow = 34;

constexpr auto Control = ui::MakeViewControl;

// A labelled row: the label, then the field.
void AddRow(ui::WindowView& view, int row, const std::string& label, ui::ViewControl field) {
  const int top = 12 + row * kRow;
  view.controls.push_back(Control("", Kind::Label, {kLeft, top + 3, kLeft + kLabelWidth, top + 21}, label));
  field.rect = {kFieldLeft, top, kRight, top + 22};
  view.controls.push_back(std::move(field));
}

ui::ViewControl List(const std::string& name, const std::vector<std::string>& items, int selection) {
  ui::ViewControl list = Control(name, Kind::DropDownList, {}, selection >= 0 ? items[selection] : "");
  for (const std::string& item : items) list.items.push_back({item, -1, -1});
  list.selection = selection;
  return list;
}

}  // namespace

ui::WindowView PageSetupWindow::view() const {
  ui::WindowView view;
  view.kind = "dialog";
  view.target = "pagesetup";
  view.caption = "Page Setup - " + draft_.layoutName;
  view.width = kRight + 10;
  view.height = 12 + 4 * kRow + 45;
  view.keysOneByOne = false;

  std::vector<std::string> devices, media, types;
  int device = -1, medium = -1;
  const PlotDevice* current = findPlotDevice(draft_.plotCfgName);
  for (const PlotDevice& d : plotDevices()) {
    if (&d == current) device = static_cast<int>(devices.size());
    devices.push_back(d.name);
  }
  for (size_t i = 0; current && i < current->media.size(); ++i) {
    const PlotMedium& m = current->media[i];
    if (m.canonicalName == draft_.canonicalMediaName || m.localeName == draft_.canonicalMediaName)
      medium = static_cast<int>(i);
    media.push_back(m.localeName);
  }
  for (int type = 0; type <= static_cast<int>(PlotType::Layout); ++type)
    types.push_back(plotTypeName(static_cast<PlotType>(type)));
  AddRow(view, 0, "Plot device:", List("device", devices, device));
  AddRow(view, 1, "Paper:", List("media", media, medium));
  AddRow(view, 2, "Plot area:", List("type", types, static_cast<int>(draft_.plotType)));
  AddRow(view, 3, "Window:", Control("window", Kind::Edit, {}, windowText(draft_)));

  const int top = view.height - 35;
  ui::ViewControl ok = Control("1", Kind::PushButton, {kRight - 180, top, kRight - 95, top + 25}, "OK");
  ok.isDefault = true;
  view.controls.push_back(ok);
  view.controls.push_back(Control("2", Kind::PushButton, {kRight - 85, top, kRight, top + 25}, "Cancel"));
  return view;
}

}  // namespace arx::layout
