#pragma once
// Building the forms' controls at their design-time places, and the item
// lookups both forms share.
#include <vcl.h>

// A control owned by `owner`, placed on `parent` at (left, top) with the
// given size and design-time caption.
template <class T>
T* Place(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left, int top,
         int width, int height) {
  T* control = new T(owner);
  control->Name = name;
  control->Parent = parent;
  control->Caption = caption;
  control->Left = left;
  control->Top = top;
  control->Width = width;
  control->Height = height;
  return control;
}

// A combo box with its design-time text and items.
TComboBox* PlaceComboBox(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                         const char* text, std::initializer_list<const char*> items);

// Index of the first item equal, exactly, to `text`; -1 when none is.
int ExactItemIndex(TStrings* items, const AnsiString& text);
