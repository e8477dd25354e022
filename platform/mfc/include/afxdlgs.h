#pragma once
// Common dialogs: the file dialog.
#include <afxwin.h>
#include <commdlg.h>

class CCommonDialog : public CDialog {
 public:
  explicit CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<UINT>(0), pParentWnd) {}
};

// A file-open or file-save dialog answered by the UI driver. The filter is
// MFC's form: "Description|pattern|...|" (ending with "||" or "|").
class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr, DWORD dwSize = 0);

  // IDOK with the chosen path, IDCANCEL when cancelled.
  INT_PTR DoModal() override;
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;

  OPENFILENAME m_ofn{};

 private:
  BOOL m_bOpenFileDialog;
  std::string m_filter;    // '\0'-separated, as OPENFILENAME wants it
  std::string m_defExt;
  char m_szFileName[MAX_PATH * 4] = "";
  char m_szFileTitle[MAX_PATH] = "";
};
