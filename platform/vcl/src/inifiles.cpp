// INI files on the private-profile functions.
#include <IniFiles.hpp>
#include <windows.h>

#include <vector>

namespace {

// A double-NUL list of names as the profile functions return it.
void AddNames(const std::vector<char>& buffer, TStrings* strings) {
  for (const char* p = buffer.data(); *p != '\0'; p += std::char_traits<char>::length(p) + 1)
    strings->Add(p);
}

}  // namespace

AnsiString TIniFile::ReadString(const AnsiString& section, const AnsiString& ident,
                                const AnsiString& defaultValue) const {
  char buffer[2048];
  GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer, sizeof buffer,
                           FileName.c_str());
  return buffer;
}

void TIniFile::ReadSection(const AnsiString& section, TStrings* strings) const {
  std::vector<char> buffer(16384, '\0');
  strings->Clear();
  if (GetPrivateProfileStringA(section.c_str(), nullptr, nullptr, buffer.data(),
                               static_cast<DWORD>(buffer.size()), FileName.c_str()) != 0)
    AddNames(buffer, strings);
}

void TIniFile::ReadSections(TStrings* strings) const {
  std::vector<char> buffer(16384, '\0');
  strings->Clear();
  if (GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer.data(), static_cast<DWORD>(buffer.size()),
                               FileName.c_str()) != 0)
    AddNames(buffer, strings);
}

bool TIniFile::SectionExists(const AnsiString& section) const {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.Count > 0;
}
