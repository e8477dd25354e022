// CString's operations.
#include <afxstr.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Code page 1252 letters: ASCII, and the Latin-1 range except the
// multiplication and division signs; the few letters elsewhere (Š, Œ, Ž, Ÿ)
// pair up too.
char UpperOf(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 16);
  if (u == 0xFF) return static_cast<char>(0x9F);
  return c;
}

char LowerOf(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 16);
  if (u == 0x9F) return static_cast<char>(0xFF);
  return c;
}

std::string VFormat(const char* format, va_list args) {
  if (format == nullptr) return {};
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length <= 0) return {};
  std::string out(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  out.resize(static_cast<size_t>(length));
  return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

void CString::Format(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  text_ = VFormat(pszFormat, args);
  va_end(args);
}

void CString::AppendFormat(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  text_ += VFormat(pszFormat, args);
  va_end(args);
}

CString& CString::MakeUpper() {
  std::transform(text_.begin(), text_.end(), text_.begin(), UpperOf);
  return *this;
}

CString& CString::MakeLower() {
  std::transform(text_.begin(), text_.end(), text_.begin(), LowerOf);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(text_.begin(), text_.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
  text_.erase(text_.begin(), std::find_if_not(text_.begin(), text_.end(), IsSpace));
  return *this;
}

CString& CString::TrimRight() {
  text_.erase(std::find_if_not(text_.rbegin(), text_.rend(), IsSpace).base(), text_.end());
  return *this;
}

CString CString::Left(int nCount) const { return CString(text_.substr(0, Clamp(nCount, 0, GetLength()))); }

CString CString::Mid(int iFirst) const { return Mid(iFirst, GetLength()); }

CString CString::Mid(int iFirst, int nCount) const {
  const int first = Clamp(iFirst, 0, GetLength());
  return CString(text_.substr(first, Clamp(nCount, 0, GetLength() - first)));
}

CString CString::Right(int nCount) const {
  const int count = Clamp(nCount, 0, GetLength());
  return CString(text_.substr(GetLength() - count));
}

int CString::Find(char ch, int iStart) const {
  if (iStart < 0 || iStart > GetLength()) return -1;
  const size_t at = text_.find(ch, iStart);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCSTR pszSub, int iStart) const {
  if (pszSub == nullptr || iStart < 0 || iStart > GetLength()) return -1;
  const size_t at = text_.find(pszSub, iStart);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
  const size_t at = text_.rfind(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Compare(LPCSTR psz) const { return std::strcmp(text_.c_str(), psz ? psz : ""); }

int CString::CompareNoCase(LPCSTR psz) const {
  const std::string other = psz ? psz : "";
  for (size_t i = 0;; ++i) {
    if (i == text_.size() || i == other.size())
      return i == text_.size() ? (i == other.size() ? 0 : -1) : 1;
    const auto a = static_cast<unsigned char>(LowerOf(text_[i]));
    const auto b = static_cast<unsigned char>(LowerOf(other[i]));
    if (a != b) return a < b ? -1 : 1;
  }
}

int CString::Replace(char chOld, char chNew) {
  int count = 0;
  for (char& c : text_)
    if (c == chOld) c = chNew, ++count;
  return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew) {
  if (pszOld == nullptr || *pszOld == '\0') return 0;
  const std::string from = pszOld, to = pszNew ? pszNew : "";
  int count = 0;
  for (size_t at = text_.find(from); at != std::string::npos; at = text_.find(from, at + to.size())) {
    text_.replace(at, from.size(), to);
    ++count;
  }
  return count;
}

int CString::Insert(int iIndex, LPCSTR psz) {
  text_.insert(Clamp(iIndex, 0, GetLength()), psz ? psz : "");
  return GetLength();
}

int CString::Delete(int iIndex, int nCount) {
  const int first = Clamp(iIndex, 0, GetLength());
  text_.erase(first, Clamp(nCount, 0, GetLength() - first));
  return GetLength();
}

LPSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) text_.resize(nMinBufLength, '\0');
  return text_.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) nNewLength = static_cast<int>(std::strlen(text_.c_str()));
  text_.resize(Clamp(nNewLength, 0, GetLength()));
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
  text_.resize(nNewLength > 0 ? nNewLength : 0, '\0');
  return text_.data();
}
