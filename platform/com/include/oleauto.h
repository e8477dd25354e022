#pragma once
// Automation strings (BSTR) and variants.
#include <objbase.h>

#ifndef _VARIANT_DEFINED
#define _VARIANT_DEFINED
typedef struct tagVARIANT {
  VARTYPE vt;
  WORD wReserved1, wReserved2, wReserved3;
  union {
    LONG lVal;
    SHORT iVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
  };
} VARIANT;
typedef VARIANT VARIANTARG;
#endif

#ifndef _OLEAUTO_FUNCTIONS_DECLARED
#define _OLEAUTO_FUNCTIONS_DECLARED
// Length-prefixed wide strings and variants, as the automation runtime keeps them.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
void VariantInit(VARIANTARG* variant);
HRESULT VariantClear(VARIANTARG* variant);
#endif
