#pragma once
// Dialog boxes and their controls, module resources (dialog templates,
// bitmaps, icons) and painting. Dialogs and controls are windows whose state
// lives in the toolkit-independent dialog model (<ui/dialog.h>).
// Included by <winuser_windows.h>.

namespace ui {
struct DialogTemplate;
}

// ---- Errors ----
#define ERROR_CONTROL_ID_NOT_FOUND 1421L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

// ---- Messages ----
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define MK_LBUTTON 0x0001

#define ICON_SMALL 0
#define ICON_BIG 1

// ---- Virtual keys ----
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_DELETE 0x2E

// ---- Window styles of dialogs and controls ----
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_DISABLED 0x08000000u
#define WS_BORDER 0x00800000u
#define WS_DLGFRAME 0x00400000u
#define WS_VSCROLL 0x00200000u
#define WS_HSCROLL 0x00100000u
#define WS_GROUP 0x00020000u
#define WS_TABSTOP 0x00010000u
#define WS_EX_CLIENTEDGE 0x00000200u

#define DS_SETFONT 0x40u
#define DS_MODALFRAME 0x80u
#define DS_FIXEDSYS 0x0008u
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)
#define DS_CENTER 0x0800u

#define BS_PUSHBUTTON 0x0u
#define BS_DEFPUSHBUTTON 0x1u
#define BS_CHECKBOX 0x2u
#define BS_AUTOCHECKBOX 0x3u
#define BS_RADIOBUTTON 0x4u
#define BS_3STATE 0x5u
#define BS_AUTO3STATE 0x6u
#define BS_GROUPBOX 0x7u
#define BS_AUTORADIOBUTTON 0x9u
#define BS_ICON 0x40u
#define BS_BITMAP 0x80u
#define BS_NOTIFY 0x4000u

#define SS_LEFT 0x0u
#define SS_CENTER 0x1u
#define SS_RIGHT 0x2u
#define SS_ICON 0x3u
#define SS_BITMAP 0xEu
#define SS_NOTIFY 0x100u
#define SS_CENTERIMAGE 0x200u

#define ES_LEFT 0x0u
#define ES_MULTILINE 0x4u
#define ES_AUTOHSCROLL 0x80u
#define ES_READONLY 0x800u

#define CBS_SIMPLE 0x1u
#define CBS_DROPDOWN 0x2u
#define CBS_DROPDOWNLIST 0x3u
#define CBS_AUTOHSCROLL 0x40u
#define CBS_SORT 0x100u
#define CBS_HASSTRINGS 0x200u

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- Notifications (HIWORD of WM_COMMAND's wParam) ----
#define BN_CLICKED 0
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7
#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define CBN_SELCHANGE 1
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define STN_CLICKED 0

// ---- Control messages ----
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETIMAGE 0x00F6
#define BM_SETIMAGE 0x00F7
#define BST_UNCHECKED 0x0
#define BST_CHECKED 0x1
#define BST_INDETERMINATE 0x2
#define EM_LIMITTEXT 0x00C5
#define EM_SETREADONLY 0x00CF
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_SETCURSEL 0x014E
#define CB_FINDSTRINGEXACT 0x0158
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

// ---- Dialog boxes ----
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
// A dialog template as a module's resource script holds it (see
// <win32/resource_script.h>); LockResource of an RT_DIALOG resource gives one.
typedef ui::DialogTemplate DLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATEA;

// The dialog is created (WM_INITDIALOG sent to the procedure; TRUE puts the
// focus on the first control that takes it) and not yet run: run it with
// DialogBox* or win32::RunModalDialog (<win32/dialogs.h>).
HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam);
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult);
// WM_CLOSE becomes a click on IDCANCEL; everything else is ignored.
LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem);
int WINAPI GetDlgCtrlID(HWND hWnd);
UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);
UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton);

// ---- Windows (dialogs, controls and window-manager windows alike) ----
BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString);
int WINAPI GetWindowTextLengthA(HWND hWnd);
BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable);
BOOL WINAPI IsWindowEnabled(HWND hWnd);
HWND WINAPI SetFocus(HWND hWnd);
HWND WINAPI GetFocus();
HWND WINAPI SetActiveWindow(HWND hWnd);
HWND WINAPI GetActiveWindow();
HWND WINAPI GetParent(HWND hWnd);
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint);
BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint);
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL WINAPI UpdateWindow(HWND hWnd);

// ---- Rectangles ----
BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy);
BOOL WINAPI PtInRect(const RECT* lprc, POINT pt);
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);

// ---- Resources ----
DECLARE_HANDLE(HRSRC);
typedef HANDLE HGLOBAL;
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((reinterpret_cast<ULONG_PTR>(r) >> 16) == 0)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)

#define LR_DEFAULTCOLOR 0x0000u
#define LR_LOADFROMFILE 0x0010u
#define LR_DEFAULTSIZE 0x0040u
#define LR_SHARED 0x8000u

// Resources of the module `hModule` (null: the program) as declared by its
// resource scripts. Names are numbers (MAKEINTRESOURCE) or strings.
HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName);
HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad);
BOOL WINAPI DestroyIcon(HICON hIcon);

// ---- Painting ----
struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
BOOL WINAPI DeleteObject(HGDIOBJ ho);
// GDI handles of every kind are GDI objects.
inline BOOL DeleteObject(HBRUSH ho) { return DeleteObject(reinterpret_cast<HGDIOBJ>(ho)); }
inline BOOL DeleteObject(HBITMAP ho) { return DeleteObject(reinterpret_cast<HGDIOBJ>(ho)); }
inline BOOL DeleteObject(HFONT ho) { return DeleteObject(reinterpret_cast<HGDIOBJ>(ho)); }
int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
// The size of a bitmap (BITMAP's bmWidth, bmHeight, bmBitsPixel).
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};
int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv);

#include <commdlg.h>
