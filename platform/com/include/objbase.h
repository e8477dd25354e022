#pragma once
// The COM runtime subset: result codes, GUIDs, IUnknown, IDispatch, class
// contexts and object creation. Each basic type sits under the guard macro
// the Windows headers use, so headers declaring the same types agree.
#include <windows.h>

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
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#define RPC_E_DISCONNECTED ((HRESULT)0x80010108L)
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#endif

#ifndef STDMETHODCALLTYPE
#define STDMETHODCALLTYPE WINAPI
#endif
#define STDAPI extern "C" HRESULT STDMETHODCALLTYPE

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
typedef GUID CLSID;
typedef const CLSID& REFCLSID;
typedef const GUID& REFGUID;
#ifndef IsEqualGUID
inline bool IsEqualGUID(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#endif
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)

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
typedef const OLECHAR* LPCOLESTR;

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

// Where a class object may run.
enum CLSCTX {
  CLSCTX_INPROC_SERVER = 0x1,
  CLSCTX_INPROC_HANDLER = 0x2,
  CLSCTX_LOCAL_SERVER = 0x4,
  CLSCTX_REMOTE_SERVER = 0x10
};
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

HRESULT WINAPI CoInitialize(LPVOID pvReserved);
void WINAPI CoUninitialize();
HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                LPVOID* ppv);
