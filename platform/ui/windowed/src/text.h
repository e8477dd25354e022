#pragma once
// The programs' texts are code page 1252 bytes; the screen takes UTF-8.
#include <optional>
#include <string>

namespace ui::windowed {

std::string Utf8FromAnsi(const std::string& text);
// The code page 1252 byte of one character typed (UTF-8); nothing when the
// code page has no such character.
std::optional<char> AnsiOfCharacter(const std::string& utf8);
// A whole text; characters the code page lacks become '?'.
std::string AnsiFromUtf8(const std::string& utf8);

// A text as an FLTK label shows it as it stands ('@' starts a symbol there).
std::string LabelText(const std::string& ansi);

}  // namespace ui::windowed
