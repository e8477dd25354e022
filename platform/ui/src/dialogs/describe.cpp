// How a dialog and its controls are written in the transcript.
#include <cstdio>

#include "state.h"
#include "ui/describe.h"

namespace ui {
namespace {

std::string IdWord(int id) { return id == -1 ? std::string("-") : std::to_string(id); }

std::string PictureWord(const Picture& p) {
  return quoted(p.name) + " " + std::to_string(p.width) + "x" + std::to_string(p.height);
}

std::string KindWord(const Control& c) {
  switch (c.kind()) {
    case ControlKind::CheckBox: return " checkbox";
    case ControlKind::RadioButton: return " radio";
    case ControlKind::GroupBox: return " group";
    default: return c.isDefaultButton() ? " default" : "";
  }
}

std::string ItemsWord(const Control& c) {
  std::string out = " items=[";
  for (size_t i = 0; i < c.items.size(); ++i) {
    const ComboItem& item = c.items[i];
    out += (i ? "," : "") + quoted(item.text);
    if (item.image >= 0) out += "#" + std::to_string(item.image);
  }
  return out + "] selection=" + std::to_string(c.selection);
}

std::string Describe(const Control& c) {
  std::string out = c.windowClass + " " + IdWord(c.id);
  const ControlKind kind = c.kind();
  out += (kind == ControlKind::Edit || kind == ControlKind::ComboBox) ? " text=" + quoted(c.text)
                                                                      : " " + quoted(c.text);
  out += KindWord(c);
  if (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton)
    out += c.checked == 1 ? " checked" : c.checked == 2 ? " indeterminate" : " unchecked";
  if (kind == ControlKind::ComboBox) out += ItemsWord(c);
  if (!c.enabled) out += " disabled";
  if (!c.visible) out += " hidden";
  if (c.readOnly) out += " readonly";
  if (!c.image.empty()) out += " image=" + PictureWord(c.image);
  if (!c.imageList.empty()) out += " images=" + std::to_string(c.imageList.size());
  if (!c.tooltip.empty()) out += " tooltip=" + quoted(c.tooltip);
  return out;
}

std::string Hex6(unsigned colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                (colour >> 16) & 0xFF);
  return buffer;
}

std::string Describe(const PaintedFill& f) {
  return "paint fill " + std::to_string(f.rect.left) + "," + std::to_string(f.rect.top) + "," +
         std::to_string(f.rect.right) + "," + std::to_string(f.rect.bottom) + " " + Hex6(f.colour);
}

}  // namespace

std::string Dialog::describe(const std::string& event) const {
  const State& s = *state_;
  std::string out = "dialog " + std::to_string(id()) + " " + event + " caption=" + quoted(s.caption);
  if (event == "closed") out += " result=" + std::to_string(s.result);
  out += " focus=" + (s.focus >= 0 ? IdWord(s.controls[s.focus].id) : std::string("-"));
  if (!s.bigIcon.empty()) out += " icon=" + PictureWord(s.bigIcon);
  for (const Control& c : s.controls) out += "\n  " + Describe(c);
  for (const PaintedFill& f : s.fills) out += "\n  " + Describe(f);
  return out;
}

}  // namespace ui
