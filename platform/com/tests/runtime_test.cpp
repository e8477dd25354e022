// The COM runtime: initialisation, the class registry, creation, strings, errors.
#include <gtest/gtest.h>

#include <com/registry.h>
#include <comdef.h>
#include <ole2.h>
#include <win32/posix.h>

#include <string>

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

// The class of modules/test_server.cpp.
const CLSID kServedClass = {0x0FEDCBA9, 0x8765, 0x4321, {8, 7, 6, 5, 4, 3, 2, 1}};

TEST(ComRuntime, ARegisteredServerModuleIsLoadedWhenItsClassIsFirstCreated) {
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  void* made = nullptr;
  com::RegisterServerModule(kServedClass, win32::ToWindowsPath("/no/such/server.so"));
  EXPECT_EQ(CoCreateInstance(kServedClass, nullptr, CLSCTX_ALL, IID_IUnknown, &made), REGDB_E_CLASSNOTREG);

  com::RegisterServerModule(kServedClass, win32::ToWindowsPath(TEST_SERVER_MODULE));
  EXPECT_FALSE(com::IsClassRegistered(kServedClass));  // not loaded before it is needed
  ASSERT_EQ(CoCreateInstance(kServedClass, nullptr, CLSCTX_ALL, IID_IUnknown, &made), S_OK);
  EXPECT_TRUE(com::IsClassRegistered(kServedClass));
  static_cast<IUnknown*>(made)->Release();

  com::UnregisterServer(kServedClass);  // not installed any more: nothing loads it again
  EXPECT_EQ(CoCreateInstance(kServedClass, nullptr, CLSCTX_ALL, IID_IUnknown, &made), REGDB_E_CLASSNOTREG);
  CoUninitialize();
}

TEST(ComRuntime, GuidsAreReadInRegistryForm) {
  GUID guid{};
  ASSERT_TRUE(com::ParseGuid("{6DECC242-87EF-11CF-86B4-444553540000}", guid));
  EXPECT_EQ(com::FormatGuid(guid), "{6DECC242-87EF-11CF-86B4-444553540000}");
  ASSERT_TRUE(com::ParseGuid("{6decc242-87ef-11cf-86b4-444553540000}", guid));
  EXPECT_EQ(com::FormatGuid(guid), "{6DECC242-87EF-11CF-86B4-444553540000}");
  for (const std::string text : {"", "6DECC242-87EF-11CF-86B4-444553540000", "{6DECC242-87EF-11CF-86B4-44455354000}",
                                 "{6DECC242-87EF-11CF-86B4-4445535400000}", "{6DECC242-87EF-11CF-86B4-44455354000G}",
                                 "{6DECC242 87EF-11CF-86B4-444553540000}"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(com::ParseGuid(text, guid));
  }
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
