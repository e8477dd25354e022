#pragma once
// The photo editor's automation interfaces: the application, the action
// control that plays events, action descriptors and action references.
// Codes (event, key, class, type, enumerated value) are four-character codes
// read as 32-bit numbers, most significant byte first ("Opn " = 0x4F706E20).
#include <ole2.h>

struct IActionDescriptor;
struct IActionReference;

struct IActionReference : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE PutIndex(LONG DesiredClass, LONG Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutIdentifier(LONG DesiredClass, LONG Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutEnumerated(LONG DesiredClass, LONG EnumType, LONG Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutProperty(LONG DesiredClass, LONG Value) = 0;
};

struct IActionDescriptor : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCount(LONG* Count) = 0;
  virtual HRESULT STDMETHODCALLTYPE HasKey(LONG Key, VARIANT_BOOL* HasKey) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutInteger(LONG Key, LONG Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutDouble(LONG Key, double Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutUnitDouble(LONG Key, LONG UnitID, double Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutString(LONG Key, BSTR Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutBoolean(LONG Key, VARIANT_BOOL Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutObject(LONG Key, LONG ClassID, IActionDescriptor* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutGlobalObject(LONG Key, LONG ClassID, IActionDescriptor* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutEnumerated(LONG Key, LONG EnumType, LONG Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutReference(LONG Key, IActionReference* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutClass(LONG Key, LONG Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE PutPath(LONG Key, BSTR Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetInteger(LONG Key, LONG* Value) = 0;
};

struct IActionControl : public IDispatch {
  // Plays one event; *Result is null when the event was carried out, else a
  // descriptor describing why not.
  virtual HRESULT STDMETHODCALLTYPE Play(LONG EventID, IActionDescriptor* Descriptor, LONG DialogOptions,
                                         IActionDescriptor** Result) = 0;
  // The property the reference names, or null when there is no such thing.
  virtual HRESULT STDMETHODCALLTYPE GetActionProperty(IActionReference* Reference, IActionDescriptor** Result) = 0;
};

struct IPhotoshopApplication : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE MakeControlObject(IActionControl** Control) = 0;
  virtual HRESULT STDMETHODCALLTYPE MakeDescriptor(IActionDescriptor** Descriptor) = 0;
  virtual HRESULT STDMETHODCALLTYPE MakeReference(IActionReference** Reference) = 0;
  virtual HRESULT STDMETHODCALLTYPE Quit() = 0;
};

// The type library's identifiers, defined here: a client needs nothing but
// this header and the COM runtime.
inline constexpr CLSID CLSID_PhotoshopApplication = {  // {6DECC242-87EF-11CF-86B4-444553540000}
    0x6DECC242, 0x87EF, 0x11CF, {0x86, 0xB4, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr IID IID_IPhotoshopApplication = {  // {9414F179-C905-11D1-92CC-00600808FC44}
    0x9414F179, 0xC905, 0x11D1, {0x92, 0xCC, 0x00, 0x60, 0x08, 0x08, 0xFC, 0x44}};
inline constexpr IID IID_IActionControl = {  // {38FB4290-9DF6-11D1-B032-00C04FD7EC47}
    0x38FB4290, 0x9DF6, 0x11D1, {0xB0, 0x32, 0x00, 0xC0, 0x4F, 0xD7, 0xEC, 0x47}};
inline constexpr IID IID_IActionDescriptor = {  // {7CA9DE40-9EB3-11D1-B033-00C04FD7EC47}
    0x7CA9DE40, 0x9EB3, 0x11D1, {0xB0, 0x33, 0x00, 0xC0, 0x4F, 0xD7, 0xEC, 0x47}};
inline constexpr IID IID_IActionReference = {  // {B249C0B1-A004-11D1-B036-00C04FD7EC47}
    0xB249C0B1, 0xA004, 0x11D1, {0xB0, 0x36, 0x00, 0xC0, 0x4F, 0xD7, 0xEC, 0x47}};
