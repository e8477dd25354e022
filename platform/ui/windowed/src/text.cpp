#include "text.h"

namespace ui::windowed {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where the code page has none.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E,
    0x0178};

char32_t CodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80] ? kHighControls[byte - 0x80] : U'?';
  return byte;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::optional<char> ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

// The next character of UTF-8 text at `at` (moved past it); U+FFFD for a
// malformed sequence.
char32_t NextCharacter(const std::string& text, size_t& at) {
  const unsigned char first = static_cast<unsigned char>(text[at++]);
  if (first < 0x80) return first;
  const int more = (first & 0xE0) == 0xC0 ? 1 : (first & 0xF0) == 0xE0 ? 2 : (first & 0xF8) == 0xF0 ? 3 : -1;
  if (more < 0) return 0xFFFD;
  char32_t c = first & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  return c;
}

}  // namespace

std::string Utf8FromAnsi(const std::string& text) {
  std::string out;
  for (unsigned char byte : text) AppendUtf8(CodePoint(byte), out);
  return out;
}

std::optional<char> AnsiOfCharacter(const std::string& utf8) {
  size_t at = 0;
  if (utf8.empty()) return std::nullopt;
  const char32_t c = NextCharacter(utf8, at);
  if (at != utf8.size()) return std::nullopt;
  return ByteOf(c);
}

std::string AnsiFromUtf8(const std::string& utf8) {
  std::string out;
  for (size_t at = 0; at < utf8.size();) out += ByteOf(NextCharacter(utf8, at)).value_or('?');
  return out;
}

std::string LabelText(const std::string& ansi) {
  std::string out;
  for (char c : Utf8FromAnsi(ansi)) out += c == '@' ? std::string("@@") : std::string(1, c);
  return out;
}

}  // namespace ui::windowed
