#include "dxf/text.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace dxf {
namespace {

// Code page 1252 at 0x80..0x9F; the five unassigned bytes stand for themselves.
constexpr char32_t kHigh1252[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                    0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

char32_t from1252(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kHigh1252[c - 0x80] : c; }

// The byte of `cp` in code page 1252, or -1.
int to1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh1252[i] == cp) return 0x80 + i;
  return -1;
}

bool plainAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return s.find("\\U+") == std::string_view::npos && s.find("\\u+") == std::string_view::npos;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A "\U+XXXX" escape at `i`: its code point, or 0.
char32_t escapeAt(std::string_view s, std::size_t i) {
  if (i + 7 > s.size() || s[i] != '\\' || (s[i + 1] != 'U' && s[i + 1] != 'u') || s[i + 2] != '+') return 0;
  char32_t cp = 0;
  for (std::size_t k = i + 3; k < i + 7; ++k) {
    const int h = hexValue(s[k]);
    if (h < 0) return 0;
    cp = cp * 16 + static_cast<char32_t>(h);
  }
  return cp;
}

std::string escape(char32_t cp) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "\\U+%04X", static_cast<unsigned>(cp));
  return buffer;
}

void putUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6)), out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12)), out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18)), out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Code points of UTF-8 text; a byte that starts no valid sequence is taken as code page 1252.
std::u32string decodeUtf8(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int n = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    char32_t cp = n == 1 ? c & 0x1F : n == 2 ? c & 0x0F : n == 3 ? c & 0x07 : c;
    bool ok = n >= 0;
    for (int k = 1; ok && k <= n; ++k) {
      if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    if (!ok || cp > 0x10FFFF) {
      out += from1252(c);
      ++i;
    } else {
      out += cp;
      i += static_cast<std::size_t>(n) + 1;
    }
  }
  return out;
}

struct Converter {
  iconv_t cd;
  explicit Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd);
  }
  bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
  // The whole text converted; false when a character cannot be.
  bool convert(std::string_view in, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string buffer(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
    if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
    out.assign(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
    return true;
  }
};

// Code points of a value in a code page other than 1252.
std::u32string decodeCodePage(std::string_view s, const std::string& codePage) {
  Converter c("UTF-8", codePage.c_str());
  std::string utf8;
  if (c.ok() && c.convert(s, utf8)) return decodeUtf8(utf8);
  std::u32string out;  // not convertible: read byte by byte as 1252
  for (unsigned char b : s) out += from1252(b);
  return out;
}

// Code points, with \U+XXXX escapes read as the characters they stand for.
std::u32string withEscapes(const std::u32string& in) {
  std::u32string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '\\' && i + 7 <= in.size()) {
      std::string probe;
      for (std::size_t k = i; k < i + 7; ++k) probe += in[k] < 0x80 ? static_cast<char>(in[k]) : '?';
      if (const char32_t cp = escapeAt(probe, 0)) {
        out += cp;
        i += 6;
        continue;
      }
    }
    out += in[i];
  }
  return out;
}

}  // namespace

Encoding encodingOf(std::string_view acadver, std::string_view dwgcodepage) {
  Encoding e;
  e.utf8 = acadver >= "AC1021";
  std::string page(dwgcodepage);
  for (char& c : page) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  if (page.rfind("ANSI_", 0) == 0 && page.size() > 5 && page.size() < 10 &&
      page.find_first_not_of("0123456789", 5) == std::string::npos) {
    const std::string name = "CP" + page.substr(5);
    if (Converter(name.c_str(), "UTF-8").ok()) e.codePage = name;
  }
  return e;
}

// Code points of a value of the file.
static std::u32string decodeValue(std::string_view value, const Encoding& encoding) {
  if (encoding.utf8) return decodeUtf8(value);
  if (encoding.codePage != "CP1252") return decodeCodePage(value, encoding.codePage);
  std::u32string cps;
  for (unsigned char b : value) cps += from1252(b);
  return cps;
}

std::string toCp1252(std::string_view value, const Encoding& encoding) {
  if (plainAscii(value)) return std::string(value);
  std::string out;
  for (char32_t cp : withEscapes(decodeValue(value, encoding))) {
    const int b = to1252(cp);
    if (b >= 0) out += static_cast<char>(b);
    else out += escape(cp);
  }
  return out;
}

std::string toUtf8(std::string_view value, const Encoding& encoding) {
  const bool ascii = std::all_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return std::string(value);
  std::string out;
  for (char32_t cp : decodeValue(value, encoding)) putUtf8(out, cp);
  return out;
}

std::string fromCp1252(std::string_view text, const Encoding& encoding) {
  if (plainAscii(text)) return std::string(text);
  std::u32string cps;
  for (unsigned char b : text) cps += from1252(b);
  cps = withEscapes(cps);
  std::string out;
  if (encoding.utf8) {
    for (char32_t cp : cps) putUtf8(out, cp);
    return out;
  }
  if (encoding.codePage == "CP1252") {
    for (char32_t cp : cps) {
      const int b = to1252(cp);
      out += b >= 0 ? std::string(1, static_cast<char>(b)) : escape(cp);
    }
    return out;
  }
  Converter c(encoding.codePage.c_str(), "UTF-8");
  for (char32_t cp : cps) {
    std::string one, converted;
    putUtf8(one, cp);
    out += c.ok() && c.convert(one, converted) ? converted : escape(cp);
  }
  return out;
}

}  // namespace dxf
