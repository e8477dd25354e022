#pragma once
// HTML Help: opens a help file, optionally at a topic ("file.chm::/page.htm").
#include <windows.h>

#define HH_DISPLAY_TOPIC 0x0000
#define HH_HELP_FINDER 0x0000
#define HH_DISPLAY_TOC 0x0001
#define HH_DISPLAY_INDEX 0x0002
#define HH_CLOSE_ALL 0x0012

// Records the help request in the transcript ("htmlhelp "PATH" command=N").
// When windows are shown (DISPLAY set and RW_SHOW_HELP=1) the page opens in
// the desktop's viewer: a help file that is a folder of HTML pages opens at
// the topic's page, or at its index.html without a topic. There is no help
// window of our own, so the result is always null.
HWND WINAPI HtmlHelpA(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
#define HtmlHelp HtmlHelpA
