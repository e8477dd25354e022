// The control wrappers: each call is the control's message.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

template <typename Handle>
Handle SetImage(CWnd& control, UINT message, WPARAM type, Handle image) {
  return reinterpret_cast<Handle>(control.SendMessage(message, type, reinterpret_cast<LPARAM>(image)));
}

}  // namespace

int CButton::GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) { return SetImage(*this, BM_SETIMAGE, IMAGE_BITMAP, hBitmap); }
HICON CButton::SetIcon(HICON hIcon) { return SetImage(*this, BM_SETIMAGE, IMAGE_ICON, hIcon); }
HBITMAP CButton::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
}
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0)); }

BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
void CEdit::LimitText(int nChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) { return SetImage(*this, STM_SETIMAGE, IMAGE_BITMAP, hBitmap); }
HICON CStatic::SetIcon(HICON hIcon) { return SetImage(*this, STM_SETIMAGE, IMAGE_ICON, hIcon); }
HBITMAP CStatic::GetBitmap() const {
  return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
}
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_ICON, 0)); }

int CComboBox::GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0)); }
int CComboBox::GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0)); }
int CComboBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }

int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  const int length = GetLBTextLen(nIndex);
  if (length == CB_ERR) return rString.Empty();
  GetLBText(nIndex, rString.GetBufferSetLength(length));
  rString.ReleaseBuffer();
}

int CComboBox::GetLBTextLen(int nIndex) const {
  return static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::AddString(LPCSTR lpszString) {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::InsertString(int nIndex, LPCSTR lpszString) {
  return static_cast<int>(
      SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }

int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const {
  return static_cast<int>(::SendMessageA(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                         reinterpret_cast<LPARAM>(lpszFind)));
}

int CComboBoxEx::InsertItem(const COMBOBOXEXITEM* pCBItem) {
  return static_cast<int>(SendMessage(CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(pCBItem)));
}

BOOL CComboBoxEx::GetItem(COMBOBOXEXITEM* pCBItem) {
  return static_cast<BOOL>(SendMessage(CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(pCBItem)));
}

CImageList* CComboBoxEx::SetImageList(CImageList* pImageList) {
  SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr));
  CImageList* previous = m_pImageList;
  m_pImageList = pImageList;
  return previous;
}

CImageList* CComboBoxEx::GetImageList() const { return m_pImageList; }

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  DeleteImageList();
  m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
  return m_hImageList != nullptr;
}

int CImageList::Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  ImageList_Destroy(m_hImageList);
  m_hImageList = nullptr;
  return TRUE;
}

CToolTipCtrl::~CToolTipCtrl() {
  if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  HWND window = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                                nullptr, AfxGetInstanceHandle(), nullptr);
  return window != nullptr && Attach(window);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT, UINT_PTR) {
  if (pWnd == nullptr) return FALSE;
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = ::GetParent(pWnd->m_hWnd);
  info.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
  info.lpszText = const_cast<LPSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
void CToolTipCtrl::Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
int CToolTipCtrl::GetToolCount() const { return static_cast<int>(::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }
