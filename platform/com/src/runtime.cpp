// Per-thread initialisation, the class registry and object creation.
#include <cctype>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <ole2.h>
#include <windows.h>

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

struct ServerModule {
  CLSID clsid;
  std::string file;
  bool loaded = false;
};

std::vector<ServerModule>& ServerModules() {
  static std::vector<ServerModule> modules;
  return modules;
}

thread_local int initialisations = 0;

com::ClassFactory FactoryOf(REFCLSID clsid) {
  std::lock_guard guard(registryLock);
  for (const Registration& r : Registry())
    if (IsEqualCLSID(r.clsid, clsid)) return r.factory;
  return nullptr;
}

// Loads the module that serves `clsid`, once; true when it was loaded now.
// The lock is not held while the module loads: it registers its class.
bool LoadServerModule(REFCLSID clsid) {
  std::string file;
  {
    std::lock_guard guard(registryLock);
    for (ServerModule& m : ServerModules()) {
      if (IsEqualCLSID(m.clsid, clsid) && !m.loaded) {
        m.loaded = true;
        file = m.file;
      }
    }
  }
  return !file.empty() && LoadLibraryA(file.c_str()) != nullptr;  // stays loaded, as in-process servers do
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

void RegisterServerModule(REFCLSID clsid, const std::string& moduleFile) {
  std::lock_guard guard(registryLock);
  std::erase_if(ServerModules(), [&](const ServerModule& m) { return IsEqualCLSID(m.clsid, clsid); });
  ServerModules().push_back({clsid, moduleFile});
}

void UnregisterServer(REFCLSID clsid) {
  UnregisterClassFactory(clsid);
  std::lock_guard guard(registryLock);
  std::erase_if(ServerModules(), [&](const ServerModule& m) { return IsEqualCLSID(m.clsid, clsid); });
}

bool ParseGuid(const std::string& text, GUID& guid) {
  unsigned long data1 = 0;
  unsigned data2 = 0, data3 = 0, bytes[8] = {};
  int consumed = 0;
  if (text.size() != 38 ||
      std::sscanf(text.c_str(), "{%8lx-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &data1, &data2, &data3, &bytes[0],
                  &bytes[1], &bytes[2], &bytes[3], &bytes[4], &bytes[5], &bytes[6], &bytes[7], &consumed) != 11 ||
      consumed != 38) {
    return false;
  }
  guid.Data1 = static_cast<decltype(guid.Data1)>(data1);
  guid.Data2 = static_cast<decltype(guid.Data2)>(data2);
  guid.Data3 = static_cast<decltype(guid.Data3)>(data3);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<unsigned char>(bytes[i]);
  // Only the one form: no blanks or signs that the scan would let pass.
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return FormatGuid(guid) == upper;
}

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
  if (!factory && LoadServerModule(rclsid)) factory = FactoryOf(rclsid);
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
