#pragma once
// Shell path functions on Windows paths (ANSI code page strings).
#include <windows.h>

void WINAPI PathStripPathA(LPSTR pszPath);
void WINAPI PathRemoveExtensionA(LPSTR pszPath);
BOOL WINAPI PathRemoveFileSpecA(LPSTR pszPath);
LPSTR WINAPI PathAddBackslashA(LPSTR pszPath);
// Joins `pszMore` to `pszPath` and resolves "." and ".."; a full path in
// `pszMore` (drive or UNC) replaces `pszPath`. The buffer holds MAX_PATH chars.
BOOL WINAPI PathAppendA(LPSTR pszPath, LPCSTR pszMore);
BOOL WINAPI PathCanonicalizeA(LPSTR pszBuf, LPCSTR pszPath);
BOOL WINAPI PathFileExistsA(LPCSTR pszPath);
LPSTR WINAPI PathFindFileNameA(LPCSTR pszPath);
LPSTR WINAPI PathFindExtensionA(LPCSTR pszPath);
