#pragma once
// OLE: the runtime, automation types, and putting an object into its running state.
#include <objbase.h>
#include <oleauto.h>

HRESULT WINAPI OleRun(LPUNKNOWN pUnknown);
