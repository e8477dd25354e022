#pragma once
// Checks of a window of the windowed driver against what it shows: a
// dialog's controls at the places of its template (within a pixel), with
// the model's texts and states.
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "text.h"
#include "ui/dialog.h"
#include "ui/windowed_driver.h"

namespace guitest {

template <class W>
W* WidgetOf(const ui::WindowOnScreen& w, const std::string& name) {
  auto it = w.widgets.find(name);
  return it == w.widgets.end() ? nullptr : dynamic_cast<W*>(it->second);
}

// Where the template puts a control, in client pixels: dialog units of
// "MS Shell Dlg" 8, a drop-down combo box as high as its closed part.
inline ui::PixelRect TemplatePlace(const ui::ControlTemplate& t, const ui::Control& c) {
  ui::PixelRect place = ui::dialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
  if (c.kind() == ui::ControlKind::ComboBox && (t.style & ui::style::kComboKindMask) != ui::style::kComboSimple)
    place.bottom = std::min(place.bottom, place.top + 21);
  return place;
}

inline void ExpectDialogAsItsTemplate(const ui::WindowOnScreen& w, const ui::Dialog& model) {
  EXPECT_EQ(w.window->label(), ui::windowed::Utf8FromAnsi(model.caption()));
  EXPECT_EQ(w.window->w(), model.clientRect().width());
  EXPECT_EQ(w.window->h(), model.clientRect().height());
  const auto& items = model.source().items;
  for (size_t i = 0; i < items.size(); ++i) {
    const ui::ControlTemplate& t = items[i];
    const ui::Control& c = model.controls()[i];
    if (t.id < 0) continue;  // a control without id takes no input and needs no name
    const std::string name = std::to_string(t.id);
    SCOPED_TRACE("control " + name + " \"" + c.text + "\"");
    Fl_Widget* widget = WidgetOf<Fl_Widget>(w, name);
    ASSERT_NE(widget, nullptr);
    const ui::PixelRect place = TemplatePlace(t, c);
    EXPECT_LE(std::abs(widget->x() - place.left), 1);
    EXPECT_LE(std::abs(widget->y() - place.top), 1);
    EXPECT_LE(std::abs(widget->w() - place.width()), 1);
    EXPECT_LE(std::abs(widget->h() - place.height()), 1);
    EXPECT_EQ(widget->active() != 0, c.enabled);
    EXPECT_EQ(widget->visible() != 0, c.visible);
    EXPECT_EQ(widget->tooltip() ? widget->tooltip() : "", ui::windowed::Utf8FromAnsi(c.tooltip));
    const bool picture = c.image.data != nullptr;
    if (auto* input = dynamic_cast<Fl_Input*>(widget)) {
      EXPECT_EQ(input->value(), ui::windowed::Utf8FromAnsi(c.text));
      EXPECT_EQ(input->readonly() != 0, c.readOnly);
    } else if (auto* choice = dynamic_cast<Fl_Choice*>(widget)) {
      EXPECT_EQ(choice->value(), c.selection);
      EXPECT_EQ(choice->size() - 1, static_cast<int>(c.items.size()));
    } else if (!dynamic_cast<Fl_Group*>(widget)) {
      // A picture shows no text.
      EXPECT_EQ(widget->label() ? widget->label() : "", picture ? "" : ui::windowed::LabelText(c.text));
    }
    if (auto* button = dynamic_cast<Fl_Button*>(widget);
        button && (c.kind() == ui::ControlKind::CheckBox || c.kind() == ui::ControlKind::RadioButton)) {
      EXPECT_EQ(button->value() != 0, c.checked != 0);
    }
  }
}

}  // namespace guitest
