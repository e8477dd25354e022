#pragma once
// The editor's application interface: LISP functions defined by modules and
// calls between them, application registration, the editor's own objects.
#include "adslib.h"
#include "rxdefs.h"
#include "rxregsvc.h"

class CWinApp;
class CMDIFrameWnd;

// ---- LISP functions ----
// Defines the LISP function `name` for the application whose entry point is
// running; a call to it reaches that application as kInvkSubrMsg with
// acedGetFunCode() == `fcode`, or the handler set with acedRegFunc.
int acedDefun(const char* name, short fcode);
int acedUndef(const char* name, short fcode);
// Calls `handler` directly for function code `fcode` of the calling application.
int acedRegFunc(int (*handler)(), int fcode);
// Inside a LISP call: its function code and its arguments (nullptr: none).
int acedGetFunCode();
struct resbuf* acedGetArgs();
// Calls the LISP function named by the first element (a string) with the
// remaining elements as arguments. *result receives the value (release it
// with acutRelRb), nullptr when the function returned none.
int acedInvoke(const struct resbuf* args, struct resbuf** result);

// The value a LISP function hands back (the last call wins).
int acedRetStr(const char* value);
int acedRetInt(int value);
int acedRetReal(ads_real value);
int acedRetPoint(const ads_point value);
int acedRetName(const ads_name value, int type);
int acedRetList(const struct resbuf* list);
int acedRetNil();
int acedRetT();
int acedRetVoid();

// ---- Applications ----
Acad::ErrorStatus acrxRegisterAppMDIAware(void* appId);
Acad::ErrorStatus acrxRegisterAppNotMDIAware(void* appId);

// The editor's application object and main window.
CWinApp* acedGetAcadWinApp();
CMDIFrameWnd* acedGetAcadFrame();
