#pragma once
// The editor's automation interfaces that plotting from a module needs: the
// application, its active document and the document's plot object.
//
// The COM types come from the COM runtime's headers when the library is built
// with them; otherwise the few this chain needs are declared here, each under
// the guard macro the Windows headers use, and the editor library provides the
// string and variant functions itself.
#include <windows.h>

#if __has_include(<oleauto.h>)
#include <oleauto.h>
#else
#include <cstring>

#ifndef _HRESULT_DEFINED
#define _HRESULT_DEFINED
typedef LONG HRESULT;
#endif

#ifndef S_OK
#define S_OK ((HRESULT)0L)
#define S_FALSE ((HRESULT)1L)
#define E_NOTIMPL ((HRESULT)0x80004001L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#endif
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#endif

#ifndef STDMETHODCALLTYPE
#define STDMETHODCALLTYPE WINAPI
#endif

#ifndef GUID_DEFINED
#define GUID_DEFINED
typedef struct _GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
} GUID;
#endif
#ifndef __IID_DEFINED__
#define __IID_DEFINED__
typedef GUID IID;
typedef const IID& REFIID;
#endif
#ifndef IsEqualGUID
inline bool IsEqualGUID(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#endif

#ifndef _OLEAUTO_TYPES_DEFINED
#define _OLEAUTO_TYPES_DEFINED
typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
typedef short VARIANT_BOOL;
#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)
typedef unsigned short VARTYPE;
enum VARENUM { VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_R8 = 5, VT_BSTR = 8, VT_DISPATCH = 9,
               VT_BOOL = 11, VT_UNKNOWN = 13 };
typedef LONG DISPID;
typedef DWORD LCID;
struct ITypeInfo;
struct DISPPARAMS;
struct EXCEPINFO;
#endif

#ifndef __IUnknown_INTERFACE_DEFINED__
#define __IUnknown_INTERFACE_DEFINED__
struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;
extern "C" const IID IID_IUnknown;
#endif

#ifndef __IDispatch_INTERFACE_DEFINED__
#define __IDispatch_INTERFACE_DEFINED__
struct IDispatch : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, OLECHAR** rgszNames, UINT cNames, LCID lcid,
                                                  DISPID* rgDispId) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                           DISPPARAMS* pDispParams, struct tagVARIANT* pVarResult,
                                           EXCEPINFO* pExcepInfo, UINT* puArgErr) = 0;
};
typedef IDispatch* LPDISPATCH;
extern "C" const IID IID_IDispatch;
#endif

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

#endif  // __has_include(<oleauto.h>)

// ---- The editor's own interfaces ----

enum AcPreviewMode { acPartialPreview = 0, acFullPreview = 1 };

struct IAcadPlot : public IDispatch {
  // Plots the active layout to `plotFile`; `plotConfig` is a string naming a
  // plot device, empty to use the layout's own page setup.
  virtual HRESULT STDMETHODCALLTYPE PlotToFile(BSTR plotFile, VARIANT plotConfig, VARIANT_BOOL* success) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisplayPlotPreview(AcPreviewMode preview) = 0;
};

struct IAcadDocument : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Plot(IAcadPlot** plot) = 0;
};

struct IAcadApplication : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_ActiveDocument(IAcadDocument** document) = 0;
};

// {93BC4E71-AFE7-4AA7-BC07-F80ACDB672D5}
extern "C" const IID IID_IAcadApplication;
extern "C" const IID IID_IAcadDocument;
extern "C" const IID IID_IAcadPlot;
