// A dialog as a window on the screen shows it.
#include "state.h"
#include "ui/window_view.h"

namespace ui {
namespace {

constexpr unsigned kStaticCentre = 0x1u;
constexpr unsigned kStaticRight = 0x2u;

ViewControl::Kind KindOf(const Control& c) {
  using K = ViewControl::Kind;
  switch (c.kind()) {
    case ControlKind::PushButton: return K::PushButton;
    case ControlKind::CheckBox: return K::CheckBox;
    case ControlKind::RadioButton: return K::RadioButton;
    case ControlKind::GroupBox: return K::GroupBox;
    case ControlKind::Edit: return K::Edit;
    case ControlKind::ComboBox:
      return (c.style & style::kComboKindMask) == style::kComboDropDownList ? K::DropDownList : K::ComboBox;
    case ControlKind::Static: {
      const unsigned kind = c.style & style::kStaticKindMask;
      return kind == style::kStaticBitmap || kind == style::kStaticIcon ? K::Picture : K::Label;
    }
    case ControlKind::Other: break;
  }
  return K::Label;
}

ViewControl::Align AlignOf(const Control& c) {
  if (c.kind() != ControlKind::Static) return ViewControl::Align::Left;
  const unsigned kind = c.style & style::kStaticKindMask;
  return kind == kStaticCentre ? ViewControl::Align::Centre
         : kind == kStaticRight ? ViewControl::Align::Right
                                : ViewControl::Align::Left;
}

ViewControl ViewOf(const Control& c) {
  ViewControl v;
  v.name = c.id >= 0 ? std::to_string(c.id) : "";
  v.kind = KindOf(c);
  v.rect = c.rect;
  v.text = c.text;
  v.align = AlignOf(c);
  v.enabled = c.enabled;
  v.visible = c.visible;
  v.readOnly = c.readOnly;
  v.isDefault = c.isDefaultButton();
  v.tabStop = (c.style & style::kTabStop) != 0;
  v.checked = c.checked;
  for (const ComboItem& item : c.items) v.items.push_back({item.text, item.image, -1});
  v.selection = c.selection;
  v.picture = c.image;
  v.images = c.imageList;
  v.tooltip = c.tooltip;
  return v;
}

}  // namespace

WindowView Dialog::view() const {
  const State& s = *state_;
  WindowView view;
  view.kind = "dialog";
  view.target = std::to_string(id());
  view.caption = s.caption;
  const PixelRect client = clientRect();
  view.width = client.width();
  view.height = client.height();
  view.icon = s.bigIcon;
  view.visible = s.visible;
  view.focus = s.focus >= 0 && s.controls[s.focus].id >= 0 ? std::to_string(s.controls[s.focus].id) : "";
  // The first control of the template lies on top.
  for (auto c = s.controls.rbegin(); c != s.controls.rend(); ++c) view.controls.push_back(ViewOf(*c));
  view.fills = s.fills;
  return view;
}

}  // namespace ui
