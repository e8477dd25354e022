// The COM runtime: initialisation, the class registry, creation, strings, errors.
#include <gtest/gtest.h>

#include <com/registry.h>
#include <comdef.h>
#include <ole2.h>

namespace {

const CLSID kClass = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

struct Counted : IUnknown {
  int references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!IsEqualIID(riid, IID_IUnknown)) {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    *ppv = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

TEST(ComRuntime, CreationNeedsInitialisationAndARegisteredClass) {
  Counted object;
  com::RegisterClassFactory(kClass, [&] {
    object.AddRef();
    return &object;
  });
  void* made = nullptr;
  EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_ALL, IID_IUnknown, &made), CO_E_NOTINITIALIZED);
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  EXPECT_EQ(CoCreateInstance(kClass, nullptr, 23, IID_IUnknown, &made), S_OK);
  EXPECT_EQ(made, &object);
  EXPECT_EQ(object.references, 2);  // the caller's reference only
  EXPECT_EQ(CoCreateInstance(kClass, nullptr, 23, IID_IDispatch, &made), E_NOINTERFACE);
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(OleRun(&object), S_OK);
  com::UnregisterClassFactory(kClass);
  EXPECT_FALSE(com::IsClassRegistered(kClass));
  EXPECT_EQ(CoCreateInstance(kClass, nullptr, 23, IID_IUnknown, &made), REGDB_E_CLASSNOTREG);
  CoUninitialize();
  CoUninitialize();
}

TEST(ComRuntime, StringsKnowTheirLength) {
  BSTR text = SysAllocString(u"Ebene");
  EXPECT_EQ(SysStringLen(text), 5u);
  EXPECT_EQ(std::u16string(text), u"Ebene");
  SysFreeString(text);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);
}

TEST(ComRuntime, ErrorsCarryTheirStatusAndAReadableText) {
  try {
    _com_issue_error(REGDB_E_CLASSNOTREG);
    FAIL();
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), REGDB_E_CLASSNOTREG);
    EXPECT_STREQ(e.ErrorMessage(), "Class not registered");
  }
  EXPECT_STREQ(_com_error(static_cast<HRESULT>(0x80041234)).ErrorMessage(), "IDispatch error #0x80041234");
  EXPECT_EQ(com::FormatGuid(kClass), "{12345678-1234-5678-0102-030405060708}");
}

}  // namespace
