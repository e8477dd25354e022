#pragma once
// INI files read through the system's private-profile functions.
#include <Classes.hpp>

class TIniFile : public TObject {
 public:
  explicit TIniFile(const AnsiString& fileName) : FileName(fileName) {}
  const AnsiString FileName;

  AnsiString ReadString(const AnsiString& section, const AnsiString& ident,
                        const AnsiString& defaultValue) const;
  // The names of the keys of `section`, in file order.
  void ReadSection(const AnsiString& section, TStrings* strings) const;
  void ReadSections(TStrings* strings) const;
  bool SectionExists(const AnsiString& section) const;
};
