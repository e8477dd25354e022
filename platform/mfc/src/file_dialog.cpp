// CFileDialog: the common file dialog with MFC's filter form.
#include <afxdlgs.h>

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_defExt(lpszDefExt ? lpszDefExt : "") {
  if (lpszFileName) {
    std::strncpy(m_szFileName, lpszFileName, sizeof m_szFileName - 1);
    m_szFileName[sizeof m_szFileName - 1] = '\0';
  }
  // "A|*.a|B|*.b||" -> "A\0*.a\0B\0*.b\0\0"
  for (LPCSTR p = lpszFilter; p && *p; ++p) m_filter += *p == '|' ? '\0' : *p;
  m_filter += '\0';
  m_ofn.lStructSize = dwSize ? dwSize : sizeof(OPENFILENAME);
  m_ofn.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
  m_ofn.hInstance = AfxGetResourceHandle();
  m_ofn.lpstrFilter = lpszFilter ? m_filter.c_str() : nullptr;
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
  m_ofn.Flags = dwFlags;
  m_ofn.lpstrDefExt = lpszDefExt ? m_defExt.c_str() : nullptr;
}

INT_PTR CFileDialog::DoModal() {
  const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
  const CString path = GetPathName();
  return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}
