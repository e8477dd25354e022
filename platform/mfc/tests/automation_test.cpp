// CCmdTarget::GetIDispatch hands out the automation object it was given and
// keeps the references straight.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include "mfc/automation.h"

namespace {

// A dispatch object that only counts its references.
struct CountedDispatch : IDispatch {
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, OLECHAR**, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, struct tagVARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
};

TEST(Automation, WithoutAnObjectTheTargetHasNoInterface) {
  CCmdTarget target;
  EXPECT_EQ(target.GetIDispatch(TRUE), nullptr);
}

TEST(Automation, ReferencesAddedOnRequestAndReleasedWithTheTarget) {
  CountedDispatch dispatch;  // its one reference goes to the target
  {
    CWinApp app("Automation");
    mfc::SetAutomationObject(app, &dispatch);
    EXPECT_EQ(app.GetIDispatch(FALSE), &dispatch);
    EXPECT_EQ(dispatch.references, 1u);
    EXPECT_EQ(app.GetIDispatch(TRUE), &dispatch);
    EXPECT_EQ(dispatch.references, 2u);
    dispatch.Release();  // the caller's reference
  }
  EXPECT_EQ(dispatch.references, 0u);
}

TEST(Automation, ReplacingTheObjectReleasesThePreviousOne) {
  CountedDispatch first, second;
  CCmdTarget target;
  mfc::SetAutomationObject(target, &first);
  mfc::SetAutomationObject(target, &second);
  EXPECT_EQ(first.references, 0u);
  EXPECT_EQ(target.GetIDispatch(FALSE), &second);
  mfc::SetAutomationObject(target, nullptr);
  EXPECT_EQ(second.references, 0u);
  EXPECT_EQ(target.GetIDispatch(TRUE), nullptr);
}

}  // namespace
