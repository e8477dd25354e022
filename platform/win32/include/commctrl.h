#pragma once
// Common controls: the extended combo box, tooltips and image lists.
#include <windows.h>

#define WC_COMBOBOXEXA "ComboBoxEx32"
#define TOOLTIPS_CLASSA "tooltips_class32"

// ---- Image lists ----
struct _IMAGELIST;
typedef _IMAGELIST* HIMAGELIST;
#define ILC_MASK 0x0001u
#define ILC_COLOR 0x0000u
#define ILC_COLOR4 0x0004u
#define ILC_COLOR8 0x0008u
#define ILC_COLOR16 0x0010u
#define ILC_COLOR24 0x0018u
#define ILC_COLOR32 0x0020u

// `cInitial` images fit; when full, `cGrow` more are made room for (none
// when 0: further images are refused).
HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
BOOL WINAPI ImageList_Destroy(HIMAGELIST himl);
// Appends (i == -1) or replaces; the new index, -1 on failure.
int WINAPI ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon);
#define ImageList_AddIcon(himl, hicon) ImageList_ReplaceIcon(himl, -1, hicon)
int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
int WINAPI ImageList_GetImageCount(HIMAGELIST himl);

// ---- Extended combo box ----
#define CBEIF_TEXT 0x00000001u
#define CBEIF_IMAGE 0x00000002u
#define CBEIF_SELECTEDIMAGE 0x00000004u
#define CBEIF_OVERLAY 0x00000008u
#define CBEIF_INDENT 0x00000010u
#define CBEIF_LPARAM 0x00000020u

struct COMBOBOXEXITEMA {
  UINT mask;
  INT_PTR iItem;  // position; -1 appends
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int iOverlay;
  int iIndent;
  LPARAM lParam;
};
typedef COMBOBOXEXITEMA* PCOMBOBOXEXITEMA;
typedef const COMBOBOXEXITEMA* PCCOMBOBOXEXITEMA;
typedef COMBOBOXEXITEMA COMBOBOXEXITEM;

#define CBEM_INSERTITEMA (WM_USER + 1)
#define CBEM_SETIMAGELIST (WM_USER + 2)
#define CBEM_GETIMAGELIST (WM_USER + 3)
#define CBEM_GETITEMA (WM_USER + 4)
#define CBEM_INSERTITEM CBEM_INSERTITEMA

// ---- Tooltips ----
#define TTS_ALWAYSTIP 0x01u
#define TTS_NOPREFIX 0x02u
#define TTF_IDISHWND 0x0001u
#define TTF_SUBCLASS 0x0010u
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_ADDTOOLA (WM_USER + 4)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_ADDTOOL TTM_ADDTOOLA

struct TOOLINFOA {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;  // the tool's window when uFlags has TTF_IDISHWND
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
typedef TOOLINFOA* LPTOOLINFOA;
typedef TOOLINFOA TOOLINFO;

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
#define ICC_WIN95_CLASSES 0x000000FFu
#define ICC_USEREX_CLASSES 0x00000200u
void WINAPI InitCommonControls();
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
