#pragma once
// CString: an 8-bit string in the ANSI code page, with MFC's operations.
// Indexes are 0-based; out-of-range arguments are clamped as MFC does.
#include <windows.h>

#include <string>

class CString {
 public:
  CString() = default;
  CString(LPCSTR psz) : text_(psz ? psz : "") {}  // NOLINT: implicit as in MFC
  CString(const std::string& text) : text_(text) {}  // NOLINT
  CString(LPCSTR pch, int nLength) : text_(pch ? std::string(pch, nLength > 0 ? nLength : 0) : "") {}
  CString(char ch, int nRepeat = 1) : text_(nRepeat > 0 ? nRepeat : 0, ch) {}

  operator LPCSTR() const { return text_.c_str(); }  // NOLINT
  LPCSTR GetString() const { return text_.c_str(); }
  const std::string& str() const { return text_; }

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  char GetAt(int nIndex) const { return text_.at(static_cast<size_t>(nIndex)); }
  char operator[](int nIndex) const { return GetAt(nIndex); }
  void SetAt(int nIndex, char ch) { text_.at(static_cast<size_t>(nIndex)) = ch; }

  // printf-style; the result replaces the text.
  void Format(LPCSTR pszFormat, ...) __attribute__((format(printf, 2, 3)));
  void AppendFormat(LPCSTR pszFormat, ...) __attribute__((format(printf, 2, 3)));

  // Letters of code page 1252 change case, other bytes stay.
  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();

  CString Left(int nCount) const;
  CString Mid(int iFirst) const;
  CString Mid(int iFirst, int nCount) const;
  CString Right(int nCount) const;

  // -1 when not found.
  int Find(char ch, int iStart = 0) const;
  int Find(LPCSTR pszSub, int iStart = 0) const;
  int ReverseFind(char ch) const;

  // <0, 0, >0 like strcmp; CompareNoCase ignores the case of letters.
  int Compare(LPCSTR psz) const;
  int CompareNoCase(LPCSTR psz) const;

  int Replace(char chOld, char chNew);
  int Replace(LPCSTR pszOld, LPCSTR pszNew);
  int Insert(int iIndex, LPCSTR psz);
  int Delete(int iIndex, int nCount = 1);

  // A writable buffer of at least nMinBufLength chars (plus the terminator);
  // ReleaseBuffer takes the text up to nNewLength or the first '\0'.
  LPSTR GetBuffer(int nMinBufLength = 0);
  void ReleaseBuffer(int nNewLength = -1);
  LPSTR GetBufferSetLength(int nNewLength);

  CString& operator=(LPCSTR psz) { text_ = psz ? psz : ""; return *this; }
  CString& operator=(const std::string& text) { text_ = text; return *this; }
  CString& operator=(char ch) { text_.assign(1, ch); return *this; }
  CString& operator+=(const CString& s) { text_ += s.text_; return *this; }
  CString& operator+=(LPCSTR psz) { if (psz) text_ += psz; return *this; }
  CString& operator+=(char ch) { text_ += ch; return *this; }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.text_ + b.text_); }
  friend CString operator+(const CString& a, LPCSTR b) { return CString(a.text_ + (b ? b : "")); }
  friend CString operator+(LPCSTR a, const CString& b) { return CString((a ? a : "") + b.text_); }
  friend CString operator+(const CString& a, char b) { return CString(a.text_ + b); }
  friend CString operator+(char a, const CString& b) { return CString(a + b.text_); }

  friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
  friend bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
  friend bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
  friend bool operator!=(LPCSTR a, const CString& b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }

 private:
  std::string text_;
};
