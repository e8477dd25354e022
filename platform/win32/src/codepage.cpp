// Code page conversion through iconv: 1252 and UTF-8 to UTF-16 and back.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "internal.h"
#include "win32/posix.h"

namespace {

enum class Encoding { Cp1252, Utf8, Utf16 };

const char* IconvName(Encoding e) {
  switch (e) {
    case Encoding::Cp1252: return "CP1252";
    case Encoding::Utf8: return "UTF-8";
    default: return "UTF-16LE";
  }
}

// Length of the character that starts at `p` (at least 1, at most `left`).
std::size_t CharLength(Encoding e, const unsigned char* p, std::size_t left) {
  std::size_t n = 1;
  if (e == Encoding::Utf16) {
    n = (left >= 4 && (p[1] & 0xFC) == 0xD8) ? 4 : 2;
  } else if (e == Encoding::Utf8) {
    n = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC0 ? 2 : 1;
    for (std::size_t i = 1; i < n && i < left; ++i)
      if ((p[i] & 0xC0) != 0x80) return i;
  }
  return n < left ? n : left;
}

// What an unconvertible character becomes. The five bytes code page 1252
// leaves undefined become the control characters of the same value, as on
// Windows; anything else becomes '?'.
std::string Replacement(Encoding from, Encoding to, unsigned char first) {
  char32_t code = (from == Encoding::Cp1252) ? first : U'?';
  if (to == Encoding::Cp1252) return code < 0x100 && from == Encoding::Cp1252 ? std::string(1, char(code)) : "?";
  if (to == Encoding::Utf16) return std::string{char(code & 0xFF), char(code >> 8)};
  if (code < 0x80) return std::string(1, char(code));
  return std::string{char(0xC0 | (code >> 6)), char(0x80 | (code & 0x3F))};
}

// Converts `in`; `replaced` tells whether any character had to be replaced.
std::string Convert(Encoding from, Encoding to, const std::string& in, bool& replaced) {
  replaced = false;
  if (from == to) return in;
  iconv_t cd = iconv_open(IconvName(to), IconvName(from));
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  std::vector<char> chunk(4096);
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    char* dst = chunk.data();
    std::size_t room = chunk.size();
    std::size_t rc = iconv(cd, &src, &left, &dst, &room);
    out.append(chunk.data(), dst);
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: replace one character and go on.
    auto* p = reinterpret_cast<unsigned char*>(src);
    std::size_t n = CharLength(from, p, left);
    out += Replacement(from, to, p[0]);
    replaced = true;
    src += n;
    left -= n;
  }
  iconv_close(cd);
  return out;
}

bool EncodingOf(UINT codePage, Encoding& e) {
  if (codePage == CP_ACP || codePage == CP_OEMCP || codePage == 1252) {
    e = Encoding::Cp1252;
    return true;
  }
  if (codePage == CP_UTF8) {
    e = Encoding::Utf8;
    return true;
  }
  return false;
}

// Copies `units` (of `unitSize` bytes each, `count` of them) to the caller's
// buffer with Windows' rules: size 0 asks for the length, too small fails.
int Deliver(const std::string& bytes, std::size_t unitSize, void* buffer, int capacity) {
  int count = static_cast<int>(bytes.size() / unitSize);
  if (capacity == 0) return count;
  if (count > capacity) return win32::detail::Fail(ERROR_INSUFFICIENT_BUFFER, 0);
  std::memcpy(buffer, bytes.data(), bytes.size());
  return count;
}

}  // namespace

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                               int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
  using win32::detail::Fail;
  Encoding from;
  if (!EncodingOf(CodePage, from) || lpMultiByteStr == nullptr || cbMultiByte == 0 ||
      cbMultiByte < -1 || cchWideChar < 0 || (cchWideChar > 0 && lpWideCharStr == nullptr))
    return Fail(ERROR_INVALID_PARAMETER, 0);
  std::size_t length = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : cbMultiByte;
  bool replaced = false;
  std::string wide = Convert(from, Encoding::Utf16, std::string(lpMultiByteStr, length), replaced);
  if (replaced && (dwFlags & MB_ERR_INVALID_CHARS) && from == Encoding::Utf8)
    return Fail(ERROR_NO_UNICODE_TRANSLATION, 0);
  return Deliver(wide, sizeof(WCHAR), lpWideCharStr, cchWideChar);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD /*dwFlags*/, LPCWSTR lpWideCharStr,
                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                               LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
  using win32::detail::Fail;
  Encoding to;
  if (!EncodingOf(CodePage, to) || lpWideCharStr == nullptr || cchWideChar == 0 ||
      cchWideChar < -1 || cbMultiByte < 0 || (cbMultiByte > 0 && lpMultiByteStr == nullptr))
    return Fail(ERROR_INVALID_PARAMETER, 0);
  std::size_t units = cchWideChar;
  if (cchWideChar == -1) {
    units = 0;
    while (lpWideCharStr[units] != 0) ++units;
    ++units;
  }
  std::string in(reinterpret_cast<const char*>(lpWideCharStr), units * sizeof(WCHAR));
  bool replaced = false;
  std::string narrow = Convert(Encoding::Utf16, to, in, replaced);
  if (lpUsedDefaultChar != nullptr) *lpUsedDefaultChar = replaced ? TRUE : FALSE;
  if (replaced && lpDefaultChar != nullptr && *lpDefaultChar != '?' && to == Encoding::Cp1252) {
    // Redo with the caller's default character instead of '?'.
    narrow.clear();
    for (std::size_t pos = 0; pos < in.size();) {
      auto* p = reinterpret_cast<const unsigned char*>(in.data()) + pos;
      std::size_t n = CharLength(Encoding::Utf16, p, in.size() - pos);
      bool bad = false;
      std::string one = Convert(Encoding::Utf16, to, in.substr(pos, n), bad);
      narrow += bad ? std::string(1, *lpDefaultChar) : one;
      pos += n;
    }
  }
  return Deliver(narrow, 1, lpMultiByteStr, cbMultiByte);
}

namespace win32 {

std::string Cp1252ToUtf8(const std::string& text) {
  bool replaced = false;
  return Convert(Encoding::Cp1252, Encoding::Utf8, text, replaced);
}

std::string Utf8ToCp1252(const std::string& text) {
  bool replaced = false;
  return Convert(Encoding::Utf8, Encoding::Cp1252, text, replaced);
}

}  // namespace win32
