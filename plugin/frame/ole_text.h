#pragma once
// An automation string (BSTR) made from an ANSI text, freed when the object
// goes, also when a call on the way raises an error.
#include <oleauto.h>

#include <string>

class OleText {
 public:
  // Null (get() == nullptr) when the text cannot be converted or allocated.
  explicit OleText(const std::string& ansi);
  ~OleText() { SysFreeString(m_text); }
  OleText(const OleText&) = delete;
  OleText& operator=(const OleText&) = delete;

  BSTR get() const { return m_text; }

 private:
  BSTR m_text = nullptr;
};
