// Per-thread initialisation, the class registry and object creation.
#include <cstdio>
#include <map>
#include <mutex>
#include <vector>

#include <ole2.h>

#include "com/registry.h"

extern "C" const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
extern "C" const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

struct Registration {
  CLSID clsid;
  com::ClassFactory factory;
};

std::mutex registryLock;
std::vector<Registration>& Registry() {
  static std::vector<Registration> registry;
  return registry;
}

thread_local int initialisations = 0;

com::ClassFactory FactoryOf(REFCLSID clsid) {
  std::lock_guard guard(registryLock);
  for (const Registration& r : Registry())
    if (IsEqualCLSID(r.clsid, clsid)) return r.factory;
  return nullptr;
}

}  // namespace

namespace com {

void RegisterClassFactory(REFCLSID clsid, ClassFactory factory) {
  UnregisterClassFactory(clsid);
  std::lock_guard guard(registryLock);
  Registry().push_back({clsid, std::move(factory)});
}

void UnregisterClassFactory(REFCLSID clsid) {
  std::lock_guard guard(registryLock);
  std::erase_if(Registry(), [&](const Registration& r) { return IsEqualCLSID(r.clsid, clsid); });
}

bool IsClassRegistered(REFCLSID clsid) { return FactoryOf(clsid) != nullptr; }

std::string FormatGuid(REFGUID g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2,
                g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                g.Data4[7]);
  return text;
}

}  // namespace com

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
  if (pvReserved != nullptr) return E_INVALIDARG;
  return initialisations++ == 0 ? S_OK : S_FALSE;
}

void WINAPI CoUninitialize() {
  if (initialisations > 0) --initialisations;
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                LPVOID* ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (initialisations == 0) return CO_E_NOTINITIALIZED;
  if (pUnkOuter != nullptr) return CLASS_E_NOAGGREGATION;
  if ((dwClsContext & CLSCTX_ALL) == 0) return E_INVALIDARG;
  com::ClassFactory factory = FactoryOf(rclsid);
  if (!factory) return REGDB_E_CLASSNOTREG;
  IUnknown* object = factory();
  if (object == nullptr) return E_FAIL;  // the server did not start
  HRESULT hr = object->QueryInterface(riid, ppv);
  object->Release();
  return hr;
}

HRESULT WINAPI OleRun(LPUNKNOWN pUnknown) {
  // Objects of this runtime's servers run from their creation on.
  return pUnknown == nullptr ? E_INVALIDARG : S_OK;
}
