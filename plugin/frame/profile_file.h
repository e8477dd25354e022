#pragma once
// Points the application's profile functions at one INI file for the life of
// the object, so that GetProfileString / WriteProfileString go to that file.
#include <afxwin.h>

#include <string>

class BorrowedProfileFile {
 public:
  // `file` must outlive the object. `restoreTo` is what the profile file name
  // becomes afterwards (null unless a caller had one set).
  BorrowedProfileFile(CWinApp& app, const std::string& file, LPCSTR restoreTo = nullptr)
      : m_app(app), m_restoreTo(restoreTo) {
    m_app.m_pszProfileName = file.c_str();
  }
  ~BorrowedProfileFile() { m_app.m_pszProfileName = m_restoreTo; }
  BorrowedProfileFile(const BorrowedProfileFile&) = delete;
  BorrowedProfileFile& operator=(const BorrowedProfileFile&) = delete;

 private:
  CWinApp& m_app;
  LPCSTR m_restoreTo;
};
