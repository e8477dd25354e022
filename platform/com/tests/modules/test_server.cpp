// An in-process server for the runtime's tests: registers its class when it
// is loaded, and counts how often that happened.
#include <com/registry.h>
#include <ole2.h>

namespace {

const CLSID kServedClass = {0x0FEDCBA9, 0x8765, 0x4321, {8, 7, 6, 5, 4, 3, 2, 1}};

struct Object final : IUnknown {
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    *ppv = IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
    if (*ppv == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references;
    if (left == 0) delete this;
    return left;
  }
};

struct Registration {
  Registration() {
    com::RegisterClassFactory(kServedClass, []() -> IUnknown* { return new Object; });
  }
} registration;

}  // namespace
