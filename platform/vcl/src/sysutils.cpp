// Strings, numbers with the system's decimal separator, file names.
#include <SysUtils.hpp>
#include <vcl/testing.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The decimal separator of the user's regional settings.
char systemSeparator = '.';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number in `text` written with '.', or "" when the text is no number.
std::string Normalise(const std::string& text, char separator) {
  std::string out;
  size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) out += text[i];
  if (i < text.size() && text[i] == separator) {
    out += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) out += text[i];
  }
  if (digits == 0) return "";
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    out += text[i++];
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits) out += text[i];
    if (exponentDigits == 0) return "";
  }
  return i == text.size() ? out : "";
}

AnsiString WithSeparator(std::string text) {
  std::replace(text.begin(), text.end(), '.', DecimalSeparator);
  return text;
}

// The capital of a code page 1252 character, as the system maps it: the
// ASCII letters, the accented letters (not the multiplication and division
// signs), and the letters outside Latin-1 that the code page holds. Sharp s
// and micro sign have no capital in the code page.
unsigned char AnsiCapital(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
  }
}

}  // namespace

char DecimalSeparator = '.';

namespace vcl {

void SetSystemDecimalSeparator(char separator) {
  systemSeparator = separator;
  DecimalSeparator = separator;
}

char SystemDecimalSeparator() { return systemSeparator; }

}  // namespace vcl

int AnsiString::Pos(const AnsiString& sub) const {
  size_t at = find(sub);
  return at == npos ? 0 : static_cast<int>(at) + 1;
}

AnsiString AnsiString::SubString(int index, int count) const {
  if (index < 1) index = 1;
  if (index > Length() || count <= 0) return AnsiString();
  return substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

AnsiString AnsiString::UpperCase() const { return ::UpperCase(*this); }

AnsiString AnsiString::LowerCase() const {
  AnsiString out = *this;
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

long double StrToFloat(const AnsiString& text) {
  const std::string number = Normalise(Trim(text), DecimalSeparator);
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || error != std::errc() || end != number.data() + number.size())
    throw EConvertError("'" + text + "' is not a valid floating point value");
  return value;
}

AnsiString FloatToStrF(long double value, TFloatFormat format, int precision, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 18);
  digits = std::clamp(digits, 0, 18);
  char buffer[512];
  const bool fits = std::fabs(value) < std::pow(10.0L, precision);
  if ((format == ffFixed || format == ffNumber) && fits)
    std::snprintf(buffer, sizeof buffer, "%.*Lf", digits, value);
  else if (format == ffExponent)
    std::snprintf(buffer, sizeof buffer, "%.*LE", precision - 1, value);
  else
    std::snprintf(buffer, sizeof buffer, "%.*LG", precision, value);
  return WithSeparator(buffer);
}

AnsiString IntToStr(int value) { return std::to_string(value); }

char* StrLCopy(char* dest, const char* source, unsigned maxLength) {
  unsigned n = 0;
  for (; n < maxLength && source[n] != '\0'; ++n) dest[n] = source[n];
  dest[n] = '\0';
  return dest;
}

AnsiString Trim(const AnsiString& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

AnsiString UpperCase(const AnsiString& text) {
  AnsiString out = text;
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

AnsiString AnsiUpperCase(const AnsiString& text) {
  AnsiString out = text;
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(AnsiCapital(c)); });
  return out;
}

int AnsiCompareText(const AnsiString& a, const AnsiString& b) {
  return AnsiUpperCase(a).compare(AnsiUpperCase(b));
}

bool FileExists(const AnsiString& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

AnsiString ExtractFilePath(const AnsiString& fileName) {
  size_t at = fileName.find_last_of("\\:");
  return at == std::string::npos ? AnsiString() : fileName.substr(0, at + 1);
}

AnsiString ExtractFileName(const AnsiString& fileName) {
  size_t at = fileName.find_last_of("\\:");
  if (at == std::string::npos) return fileName;
  return fileName.substr(at + 1);
}
