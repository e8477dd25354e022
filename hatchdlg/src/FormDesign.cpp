#include "FormDesign.h"

TComboBox* PlaceComboBox(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                         const char* text, std::initializer_list<const char*> items) {
  TComboBox* combo = Place<TComboBox>(owner, parent, name, "", left, top, width, 21);
  for (const char* item : items) combo->Items->Add(item);
  combo->Text = text;
  return combo;
}

int ExactItemIndex(TStrings* items, const AnsiString& text) {
  for (int i = 0; i < items->Count; ++i)
    if (items->Strings[i] == text) return i;
  return -1;
}
