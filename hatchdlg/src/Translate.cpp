#include "Translate.h"

#include <functional>
#include <memory>
#include <vector>

namespace {

typedef std::function<AnsiString(const AnsiString&)> TLookup;

void TranslateCaption(AnsiString& caption, const TLookup& lookup) {
  if (!caption.IsEmpty()) caption = lookup(caption);
}

void TranslateComboBox(TComboBox* combo, const TLookup& lookup) {
  if (!combo->Text.IsEmpty()) combo->Text = lookup(combo->Text);
  for (int i = 0; i < combo->Items->Count; ++i) combo->Items->Put(i, lookup(combo->Items->Strings[i]));
}

void TranslateGrid(TDBGrid* grid, const TLookup& lookup) {
  for (int i = 0; i < grid->Columns->Count(); ++i) TranslateCaption(grid->Columns->Items(i)->Title->Caption, lookup);
}

void TranslateComponent(TComponent* component, const TLookup& lookup) {
  if (auto* combo = dynamic_cast<TComboBox*>(component)) return TranslateComboBox(combo, lookup);
  if (auto* grid = dynamic_cast<TDBGrid*>(component)) return TranslateGrid(grid, lookup);
  if (auto* item = dynamic_cast<TMenuItem*>(component)) return TranslateCaption(item->Caption, lookup);
  const bool captioned = dynamic_cast<TLabel*>(component) || dynamic_cast<TGroupBox*>(component) ||
                         dynamic_cast<TButton*>(component) || dynamic_cast<TCustomCheckBox*>(component) ||
                         dynamic_cast<TRadioButton*>(component);
  if (captioned) TranslateCaption(static_cast<TControl*>(component)->Caption, lookup);
}

}  // namespace

AnsiString ModuleFolder(const AnsiString& moduleName) {
  HMODULE module = GetModuleHandleA(moduleName.c_str());
  std::vector<char> buffer(1025);
  DWORD length = 0;
  // A path longer than the buffer comes back cut; read it again whole.
  while (module && (length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()))) >=
                       buffer.size() - 1 &&
         buffer.size() < 65536)
    buffer.resize(buffer.size() * 2);
  if (!module || length == 0) return "\\.";
  AnsiString fileName(buffer.data(), length);
  AnsiString folder = fileName.substr(0, fileName.find_last_of('\\') + 1);
  if (folder.IsEmpty() || folder.back() != '\\') folder += '\\';
  return folder;
}

bool SectionExists(TIniFile* ini, const AnsiString& path, const AnsiString& section) {
  TStringList keys;
  ini->ReadSection(section, &keys);
  if (keys.Count > 0) return true;
  ShowMessage("Section " + section + " does not exist in " + path);
  return false;
}

void TranslateLabels(TForm* form, const AnsiString& msgFile, const AnsiString& section,
                     const AnsiString& moduleName) {
  const AnsiString path = ModuleFolder(moduleName) + msgFile;
  if (!FileExists(path)) {
    ShowMessage("Cannot access: " + path);
    return;
  }
  auto ini = std::make_unique<TIniFile>(path);
  if (!SectionExists(ini.get(), path, section)) return;
  const TLookup lookup = [&](const AnsiString& key) { return ini->ReadString(section, key, key); };
  TranslateCaption(form->Caption, lookup);
  for (int i = 0; i < form->ComponentCount; ++i) TranslateComponent(form->Components[i], lookup);
}
