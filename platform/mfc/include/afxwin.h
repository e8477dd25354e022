#pragma once
// The MFC subset the modules use: command targets with message maps,
// windows, dialogs and their controls, painting, frames and the application
// object. Windows and dialogs are those of the Win32 layer (<windows.h>),
// whose dialog state lives in the dialog model of platform/ui.
#include <afx.h>

#include <string>

class CWnd;
class CDataExchange;
struct AFX_MSGMAP;

// ---- Message maps ----
// Handlers are named without their class, as in MFC 7 code:
//   BEGIN_MESSAGE_MAP(CMyDialog, CDialog)
//     ON_BN_CLICKED(12015, OnBrowse)
//     ON_EN_CHANGE(12002, OnPlotFileChanged)
//     ON_WM_PAINT()
//   END_MESSAGE_MAP()
typedef void (CCmdTarget::*AFX_PMSG)();
class CPoint;
typedef void (CWnd::*AFX_PMSG_POINT)(UINT, CPoint);

enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  AfxSig_vv,    // void f()
  AfxSig_vwp,   // void f(UINT, CPoint)
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;    // notification code for WM_COMMAND
  UINT nID;      // first control id for WM_COMMAND
  UINT nLastID;  // last control id
  UINT_PTR nSig;
  AFX_PMSG pfn;              // AfxSig_vv
  AFX_PMSG_POINT pfnPoint;   // AfxSig_vwp
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                         \
 protected:                                           \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
  virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                       \
    [[maybe_unused]] typedef theClass ThisClass;                                 \
    typedef baseClass TheBaseClass;                                              \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                   \
  {0, 0, 0, 0, AfxSig_end, nullptr, nullptr}                                         \
  }                                                                         \
  ;                                                                         \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,   \
                                        &_messageEntries[0]};               \
  return &messageMap;                                                       \
  }

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                     \
  {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(static_cast<WORD>(id)), \
   static_cast<UINT>(static_cast<WORD>(id)), AfxSig_vv,                           \
   static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_WM_PAINT() \
  {WM_PAINT, 0, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (CWnd::*)()>(&ThisClass::OnPaint)), \
   nullptr},
#define ON_WM_CLOSE() \
  {WM_CLOSE, 0, 0, 0, AfxSig_vv, static_cast<AFX_PMSG>(static_cast<void (CWnd::*)()>(&ThisClass::OnClose)), \
   nullptr},
#define ON_WM_LBUTTONDOWN()                  \
  {WM_LBUTTONDOWN, 0, 0, 0, AfxSig_vwp, nullptr, \
   static_cast<AFX_PMSG_POINT>(&ThisClass::OnLButtonDown)},

// ---- Points, sizes, rectangles ----
class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int initX, int initY) : POINT{initX, initY} {}
  CPoint(POINT initPt) : POINT(initPt) {}  // NOLINT
  void Offset(int xOffset, int yOffset) { x += xOffset, y += yOffset; }
  bool operator==(POINT p) const { return x == p.x && y == p.y; }
  bool operator!=(POINT p) const { return !(*this == p); }
  operator LPPOINT() { return this; }  // NOLINT
};

class CSize : public SIZE {
 public:
  CSize() : SIZE{0, 0} {}
  CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
  CSize(SIZE initSize) : SIZE(initSize) {}  // NOLINT
  bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(SIZE s) const { return !(*this == s); }
};

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& srcRect) : RECT(srcRect) {}  // NOLINT
  CRect(POINT point, SIZE size) : RECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
  BOOL PtInRect(POINT point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
  void OffsetRect(int x, int y) { left += x, right += x, top += y, bottom += y; }
  void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
  void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
  void InflateRect(int x, int y) { left -= x, right += x, top -= y, bottom += y; }
  void DeflateRect(int x, int y) { InflateRect(-x, -y); }
  bool operator==(const RECT& r) const {
    return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
  }
  bool operator!=(const RECT& r) const { return !(*this == r); }
  operator LPRECT() { return this; }              // NOLINT
  operator LPCRECT() const { return this; }       // NOLINT
};

// ---- Command targets ----
// Base of the objects that answer commands: the message map and the
// automation interface.
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;
  ~CCmdTarget() override;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // The object's automation interface, null when it has none; with bAddRef
  // the caller gets a reference of its own and releases it.
  LPDISPATCH GetIDispatch(BOOL bAddRef);

 protected:
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

 private:
  friend void mfc::SetAutomationObject(CCmdTarget& target, LPDISPATCH dispatch);
  LPDISPATCH m_pDispatch = nullptr;  // one reference held
};

// ---- Painting ----
class CGdiObject : public CObject {
 public:
  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  BOOL DeleteObject();
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();

  HGDIOBJ m_hObject = nullptr;
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor);
  BOOL CreateSolidBrush(COLORREF crColor);
  operator HBRUSH() const { return reinterpret_cast<HBRUSH>(m_hObject); }  // NOLINT
};

class CBitmap : public CGdiObject {
 public:
  // From the resources of AfxGetResourceHandle().
  BOOL LoadBitmap(UINT nIDResource);
  BOOL LoadBitmap(LPCSTR lpszResourceName);
  int GetBitmap(BITMAP* pBitMap);
  operator HBITMAP() const { return reinterpret_cast<HBITMAP>(m_hObject); }  // NOLINT
};

class CDC : public CObject {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  HDC GetSafeHdc() const { return m_hDC; }
  void FillRect(LPCRECT lpRect, CBrush* pBrush);
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);

  HDC m_hDC = nullptr;
};

// Painting of one WM_PAINT: BeginPaint in the constructor, EndPaint in the
// destructor.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};

 protected:
  HWND m_hWnd = nullptr;
};

// ---- Windows ----
class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  CWnd() = default;
  ~CWnd() override;

  HWND m_hWnd = nullptr;

  operator HWND() const { return m_hWnd; }  // NOLINT
  HWND GetSafeHwnd() const { return m_hWnd; }
  // The object attached to `hWnd`, or a temporary one that lives until the
  // window is destroyed; nullptr for a null handle.
  static CWnd* PASCAL FromHandle(HWND hWnd);
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  CWnd* GetDlgItem(int nID) const;
  int GetDlgCtrlID() const;
  int GetDlgItemText(int nID, CString& rString) const;
  int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const;
  void SetDlgItemText(int nID, LPCSTR lpszString);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);

  void SetWindowText(LPCSTR lpszString);
  void GetWindowText(CString& rString) const;
  int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
  int GetWindowTextLength() const;

  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  CWnd* SetActiveWindow();
  static CWnd* PASCAL GetActiveWindow();
  CWnd* SetFocus();
  static CWnd* PASCAL GetFocus();
  CWnd* GetParent() const;

  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void UpdateWindow();

  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
  virtual BOOL DestroyWindow();

  // Input on its way to the window; TRUE when handled here (it then goes no
  // further).
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // The window procedure of MFC windows: the message map first, then the
  // default processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Runs the window modally until EndModalLoop; input passes through
  // PreTranslateMessage.
  virtual int RunModalLoop(DWORD dwFlags = 0);
  virtual void EndModalLoop(int nResult);

 protected:
  // The default processing of the message being handled.
  LRESULT Default();

  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnClose();

  DECLARE_MESSAGE_MAP()
};

// ---- Dialogs ----
class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
      : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
  // The control's window; a missing control ends the exchange (Fail).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Puts the focus back on the control prepared last and ends the exchange.
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
};

// Binds a control wrapper to the dialog's control `nIDC` (once).
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Creates the dialog from its template (in AfxGetResourceHandle()'s
  // resources), runs it and returns what EndDialog was given; -1 when the
  // template is missing (reported in the transcript).
  virtual INT_PTR DoModal();
  void EndDialog(int nResult);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  void GotoDlgCtrl(CWnd* pWndCtrl);

  virtual BOOL OnInitDialog();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  UINT m_nIDHelp = 0;
  LPCSTR m_lpszTemplateName = nullptr;
  CWnd* m_pParentWnd = nullptr;

 protected:
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* pDX);

  DECLARE_MESSAGE_MAP()

 private:
  std::string m_templateName;
};

// ---- Controls ----
class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  int GetCheck() const;
  void SetCheck(int nCheck);
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  BOOL SetReadOnly(BOOL bReadOnly = TRUE);
  void LimitText(int nChars = 0);
};

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
};

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);  // CB_ERR when out of range (and -1 clears)
  int GetLBText(int nIndex, LPSTR lpszText) const;
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const;
  int AddString(LPCSTR lpszString);
  int InsertString(int nIndex, LPCSTR lpszString);
  int DeleteString(UINT nIndex);
  void ResetContent();
  int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
};

// ---- Frames ----
class CFrameWnd : public CWnd {
  DECLARE_DYNAMIC(CFrameWnd)

 public:
  static const CRect rectDefault;
  // A top-level window of the window manager, handled by this object.
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
              LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0);
};

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMDIFrameWnd)
};

// ---- Application ----
// The application object. One per module; constructing it registers it with
// the module state current at that time (the module's own while the module's
// static objects are built). The string members are not owned: whoever points
// them at a string keeps it alive while they do.
class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // An icon from the resources of AfxGetResourceHandle(); null when missing.
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadIcon(LPCSTR lpszResourceName) const;

  // With m_pszRegistryKey null these read and write the INI file
  // m_pszProfileName through the private-profile functions; without a profile
  // file, or with a registry key (no registry here), reads give the default
  // and writes fail.
  std::string GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry,
                               LPCSTR lpszDefault = nullptr);
  BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
  UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);

  HINSTANCE m_hInstance = nullptr;
  LPCSTR m_pszAppName = nullptr;
  LPCSTR m_pszRegistryKey = nullptr;
  LPCSTR m_pszProfileName = nullptr;
  CWnd* m_pMainWnd = nullptr;

 private:
  bool UsesProfileFile() const;

  AFX_MODULE_STATE* m_pModuleState;
};

CWnd* AFXAPI AfxGetMainWnd();
LPCSTR AFXAPI AfxGetAppName();
// A message box with the application's name as caption, owned by the active
// window.
int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
