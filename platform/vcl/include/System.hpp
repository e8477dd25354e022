#pragma once
// Basic types of the form toolkit: the string type and the root object.
#include <cstddef>
#include <string>

// 8-bit string in the system's ANSI code page. Positions are 1-based, as the
// toolkit's string functions count them.
class AnsiString : public std::string {
 public:
  AnsiString() = default;
  AnsiString(const char* text) : std::string(text ? text : "") {}
  AnsiString(const char* text, std::size_t length) : std::string(text, length) {}
  AnsiString(const std::string& text) : std::string(text) {}
  AnsiString(std::string&& text) : std::string(std::move(text)) {}

  int Length() const { return static_cast<int>(size()); }
  bool IsEmpty() const { return empty(); }
  // 1-based position of the first occurrence of `sub`; 0 when absent.
  int Pos(const AnsiString& sub) const;
  AnsiString SubString(int index, int count) const;
  AnsiString UpperCase() const;
  AnsiString LowerCase() const;
};
typedef AnsiString String;

class TObject {
 public:
  virtual ~TObject() = default;
};
