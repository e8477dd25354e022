#pragma once
// Processes: start a program, wait for it, read its exit code. Included by
// <windows.h>.
//
// CreateProcessA splits the command line into arguments by the Microsoft C
// runtime's rules, maps the executable and the current directory through the
// drive map, converts the text from code page 1252 to UTF-8 and hands the
// drive map to the child in its environment (win32::kDriveMapVariable).

struct STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
typedef STARTUPINFOA* LPSTARTUPINFOA;

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

// ---- Creation flags (accepted; a POSIX child has no console of its own) ----
#define CREATE_NEW_CONSOLE 0x00000010u
#define CREATE_NO_WINDOW 0x08000000u
#define DETACHED_PROCESS 0x00000008u
#define NORMAL_PRIORITY_CLASS 0x00000020u

// ---- Waits ----
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259u
#define ERROR_DIRECTORY 267L

BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine,
                           LPSECURITY_ATTRIBUTES lpProcessAttributes,
                           LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles,
                           DWORD dwCreationFlags, LPVOID lpEnvironment,
                           LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                           LPPROCESS_INFORMATION lpProcessInformation);
BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT uExitCode);
DWORD WINAPI GetProcessId(HANDLE Process);

// A process or thread handle is signalled when the process has ended (a
// child's only thread ends with it).
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);

// A child here never has a window of this window manager: returns 0 at once
// for a live process handle, WAIT_FAILED for anything else.
DWORD WINAPI WaitForInputIdle(HANDLE hProcess, DWORD dwMilliseconds);
