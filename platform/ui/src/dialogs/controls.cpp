// Dialog units and what each control is.
#include "ui/dialog.h"

#include <cctype>
#include <string>

namespace ui {
namespace {

// MulDiv's rounding: the exact quotient rounded half away from zero.
int MulDivRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

bool ClassIs(const std::string& a, const char* b) {
  if (a.size() != std::char_traits<char>::length(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

int dialogUnitsToPixelsX(int x) { return MulDivRounded(x, 6, 4); }
int dialogUnitsToPixelsY(int y) { return MulDivRounded(y, 13, 8); }

PixelRect dialogUnitsToPixels(int x, int y, int cx, int cy) {
  const int left = dialogUnitsToPixelsX(x), top = dialogUnitsToPixelsY(y);
  return {left, top, left + dialogUnitsToPixelsX(cx), top + dialogUnitsToPixelsY(cy)};
}

ControlKind Control::kind() const {
  if (ClassIs(windowClass, "Button")) {
    switch (style & style::kButtonKindMask) {
      case style::kCheckBox:
      case style::kAutoCheckBox:
      case style::k3State:
      case style::kAuto3State: return ControlKind::CheckBox;
      case style::kRadioButton:
      case style::kAutoRadioButton: return ControlKind::RadioButton;
      case style::kGroupBox: return ControlKind::GroupBox;
      default: return ControlKind::PushButton;
    }
  }
  if (ClassIs(windowClass, "Static")) return ControlKind::Static;
  if (ClassIs(windowClass, "Edit")) return ControlKind::Edit;
  if (ClassIs(windowClass, "ComboBox") || ClassIs(windowClass, "ComboBoxEx32")) return ControlKind::ComboBox;
  return ControlKind::Other;
}

bool Control::takesFocus() const {
  const ControlKind k = kind();
  return enabled && visible && k != ControlKind::GroupBox && k != ControlKind::Static;
}

bool Control::isDefaultButton() const {
  return kind() == ControlKind::PushButton && (style & style::kButtonKindMask) == style::kDefPushButton;
}

}  // namespace ui
