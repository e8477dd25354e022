// GDI objects and painting.
#include <afxwin.h>

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  const BOOL deleted = ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return deleted;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == nullptr || m_hObject != nullptr) return FALSE;
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
  return Attach(reinterpret_cast<HGDIOBJ>(::CreateSolidBrush(crColor)));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName) {
  return Attach(reinterpret_cast<HGDIOBJ>(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName)));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) { return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitMap); }

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
  if (pBrush) ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(*pBrush));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  CBrush brush(clr);
  FillRect(lpRect, &brush);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() {
  if (m_hDC) ::EndPaint(m_hWnd, &m_ps);
}
