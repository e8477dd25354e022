#pragma once
// The common file dialogs; the user's choice comes from the UI driver.
#include <cstddef>
#include <windows.h>

typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;  // pairs of description and pattern, each ending in '\0', then '\0'
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile;  // in: initial name; out: the chosen full path
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
typedef OPENFILENAMEA* LPOPENFILENAMEA;
typedef OPENFILENAMEA OPENFILENAME;
typedef LPOPENFILENAMEA LPOPENFILENAME;

// The structure of the older common dialog: up to lpTemplateName (76 bytes
// in a 32-bit program).
#define OPENFILENAME_SIZE_VERSION_400A (offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR))
#define OPENFILENAME_SIZE_VERSION_400 OPENFILENAME_SIZE_VERSION_400A

#define OFN_READONLY 0x00000001u
#define OFN_OVERWRITEPROMPT 0x00000002u
#define OFN_HIDEREADONLY 0x00000004u
#define OFN_NOCHANGEDIR 0x00000008u
#define OFN_ENABLEHOOK 0x00000020u
#define OFN_NOVALIDATE 0x00000100u
#define OFN_ALLOWMULTISELECT 0x00000200u
#define OFN_PATHMUSTEXIST 0x00000800u
#define OFN_FILEMUSTEXIST 0x00001000u
#define OFN_CREATEPROMPT 0x00002000u
#define OFN_NOREADONLYRETURN 0x00008000u
#define OFN_EXPLORER 0x00080000u
#define OFN_ENABLESIZING 0x00800000u

#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define FNERR_BUFFERTOOSMALL 0x3003

// FALSE when cancelled (CommDlgExtendedError() 0) or on an error (its code).
BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn);
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn);
DWORD WINAPI CommDlgExtendedError();
