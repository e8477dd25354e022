// A dialog's controls and the changes its program makes to them.
#include <algorithm>
#include <cctype>

#include "state.h"

namespace ui {
namespace {

// A closed drop-down combo box is this high in the shell font; the template's
// height includes its list.
constexpr int kClosedComboHeight = 21;

Control ControlFrom(const ControlTemplate& t) {
  Control c;
  c.id = t.id;
  c.windowClass = t.windowClass;
  c.style = t.style;
  c.rect = dialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
  c.enabled = (t.style & style::kDisabled) == 0;
  const bool picture = c.kind() == ControlKind::Static &&
                       ((t.style & style::kStaticKindMask) == style::kStaticBitmap ||
                        (t.style & style::kStaticKindMask) == style::kStaticIcon);
  if (!picture) c.text = t.text;  // a picture static names its picture, it shows no text
  c.readOnly = c.kind() == ControlKind::Edit && (t.style & style::kEditReadOnly) != 0;
  if (c.kind() == ControlKind::ComboBox && (t.style & style::kComboKindMask) != style::kComboSimple)
    c.rect.bottom = std::min(c.rect.bottom, c.rect.top + kClosedComboHeight);
  return c;
}

bool IsSortedCombo(const Control& c) {
  return c.kind() == ControlKind::ComboBox && (c.style & style::kComboSort) != 0;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

Dialog::Dialog(DialogTemplate source) : state_(std::make_unique<State>()) {
  state_->caption = source.caption;
  for (const ControlTemplate& t : source.items) state_->controls.push_back(ControlFrom(t));
  state_->source = std::move(source);
}

Dialog::~Dialog() = default;

const DialogTemplate& Dialog::source() const { return state_->source; }
int Dialog::id() const { return state_->source.id; }
void Dialog::setListener(DialogListener* listener) { state_->listener = listener; }
std::vector<Control>& Dialog::controls() { return state_->controls; }
const std::vector<Control>& Dialog::controls() const { return state_->controls; }

Control* Dialog::control(int id) {
  const int index = indexOf(id);
  return index < 0 ? nullptr : &state_->controls[index];
}

int Dialog::indexOf(int id) const {
  const auto& cs = state_->controls;
  auto it = std::find_if(cs.begin(), cs.end(), [&](const Control& c) { return c.id == id; });
  return it == cs.end() ? -1 : static_cast<int>(it - cs.begin());
}

const std::string& Dialog::caption() const { return state_->caption; }
void Dialog::setCaption(const std::string& caption) { state_->caption = caption; }

void Dialog::setIcon(const Picture& icon, bool big) { (big ? state_->bigIcon : state_->smallIcon) = icon; }

PixelRect Dialog::clientRect() const {
  return {0, 0, dialogUnitsToPixelsX(state_->source.cx), dialogUnitsToPixelsY(state_->source.cy)};
}

void Dialog::setText(int index, const std::string& text) {
  Control& c = state_->controls.at(index);
  c.text = text;
  if (c.kind() == ControlKind::Edit && state_->listener)
    state_->listener->onEvent({DialogEventKind::TextChanged, c.id});
}

void Dialog::setChecked(int index, int state) { state_->controls.at(index).checked = state; }
void Dialog::setReadOnly(int index, bool readOnly) { state_->controls.at(index).readOnly = readOnly; }
void Dialog::setImage(int index, const Picture& picture) { state_->controls.at(index).image = picture; }
void Dialog::setTooltip(int index, const std::string& text) { state_->controls.at(index).tooltip = text; }

void Dialog::setImageList(int index, std::vector<Picture> images) {
  state_->controls.at(index).imageList = std::move(images);
}

void Dialog::setEnabled(int index, bool enabled) {
  state_->controls.at(index).enabled = enabled;
  if (!enabled && state_->focus == index) setFocus(-1);
}

void Dialog::setVisible(int index, bool visible) {
  state_->controls.at(index).visible = visible;
  if (!visible && state_->focus == index) setFocus(-1);
}

int Dialog::addItem(int index, const ComboItem& item) {
  Control& c = state_->controls.at(index);
  auto at = c.items.end();
  if (IsSortedCombo(c))
    at = std::upper_bound(c.items.begin(), c.items.end(), item,
                          [](const ComboItem& a, const ComboItem& b) { return LessNoCase(a.text, b.text); });
  const int position = static_cast<int>(at - c.items.begin());
  c.items.insert(at, item);
  if (c.selection >= position) ++c.selection;
  return position;
}

int Dialog::insertItem(int index, int position, const ComboItem& item) {
  Control& c = state_->controls.at(index);
  if (position < 0) position = static_cast<int>(c.items.size());
  if (position > static_cast<int>(c.items.size())) return -1;
  c.items.insert(c.items.begin() + position, item);
  if (c.selection >= position) ++c.selection;
  return position;
}

void Dialog::clearItems(int index) {
  Control& c = state_->controls.at(index);
  c.items.clear();
  c.selection = -1;
  if ((c.style & style::kComboKindMask) == style::kComboDropDownList) c.text.clear();
}

bool Dialog::setSelection(int index, int selection) {
  Control& c = state_->controls.at(index);
  const bool valid = selection >= -1 && selection < static_cast<int>(c.items.size());
  if (!valid) selection = -1;  // as Windows: an invalid index clears the selection
  c.selection = selection;
  c.text = selection < 0 ? std::string() : c.items[selection].text;
  return valid;
}

int Dialog::focus() const { return state_->focus; }

void Dialog::setFocus(int index) {
  if (index == state_->focus) return;
  const int previous = state_->focus;
  state_->focus = index;
  if (previous >= 0 && state_->listener)
    state_->listener->onEvent({DialogEventKind::FocusLost, state_->controls[previous].id});
}

bool Dialog::visible() const { return state_->visible; }

void Dialog::show(bool visible) {
  if (visible && !state_->visible) state_->invalid = true;  // shown again: painted again
  state_->visible = visible;
}

bool Dialog::enabled() const { return state_->enabled; }
void Dialog::enable(bool enabled) { state_->enabled = enabled; }

void Dialog::invalidate() { state_->invalid = true; }
bool Dialog::invalid() const { return state_->invalid; }

void Dialog::beginPaint() {
  state_->invalid = false;
  state_->fills.clear();
}

void Dialog::addFill(const PaintedFill& fill) { state_->fills.push_back(fill); }
const std::vector<PaintedFill>& Dialog::fills() const { return state_->fills; }

void Dialog::end(int result) {
  state_->ended = true;
  state_->result = result;
}

bool Dialog::ended() const { return state_->ended; }
bool Dialog::running() const { return state_->running; }
int Dialog::result() const { return state_->result; }

}  // namespace ui
