// The editor's automation objects: application -> active document -> plot.
// They live as long as the program; references are counted so that clients
// can be checked for releasing what they took.
#include "arx/automation.h"

#include <atomic>

#include "acedads.h"
#include "arx/plot.h"
#include "com/strings.h"
#include "dbmain.h"
#include "ui/driver.h"
#include "win32/posix.h"

extern "C" {
const IID IID_IAcadApplication = {0x93BC4E71, 0xAFE7, 0x4AA7, {0xBC, 0x07, 0xF8, 0x0A, 0xCD, 0xB6, 0x72, 0xD5}};
const IID IID_IAcadDocument = {0x5F6A8C6D, 0x2E0B, 0x4D2A, {0x9A, 0x51, 0x7C, 0x33, 0x0E, 0x2B, 0x51, 0x01}};
const IID IID_IAcadPlot = {0x5F6A8C6D, 0x2E0B, 0x4D2A, {0x9A, 0x51, 0x7C, 0x33, 0x0E, 0x2B, 0x51, 0x02}};
}

namespace arx {
namespace {

AutomationFault fault = AutomationFault::None;
std::atomic<long> references{0};

// IUnknown and IDispatch for an object that answers to the interfaces I and IDispatch.
template <class I>
class AutomationObject : public I {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, interfaceId()))
      return E_NOINTERFACE;
    *object = static_cast<I*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++references;
    return static_cast<ULONG>(++count_);
  }
  ULONG STDMETHODCALLTYPE Release() override {
    if (count_ == 0) return 0;  // an extra release must not take the count below zero
    --references;
    return static_cast<ULONG>(--count_);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, OLECHAR**, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 protected:
  virtual const IID& interfaceId() const = 0;

 private:
  std::atomic<long> count_{0};
};

// Hands out `object` with a reference added.
template <class I, class T>
HRESULT handOut(T& object, I** out) {
  if (!out) return E_POINTER;
  object.AddRef();
  *out = &object;
  return S_OK;
}

// The device named by the plot configuration variant: empty for the layout's own.
bool deviceFromConfiguration(const VARIANT& configuration, std::string& device) {
  if (configuration.vt == VT_EMPTY || configuration.vt == VT_NULL) return true;
  if (configuration.vt != VT_BSTR) return false;
  device = com::Utf8FromOle(configuration.bstrVal);
  return true;
}

class Plot : public AutomationObject<IAcadPlot> {
 public:
  HRESULT STDMETHODCALLTYPE PlotToFile(BSTR plotFile, VARIANT plotConfig, VARIANT_BOOL* success) override {
    if (!success) return E_POINTER;
    *success = VARIANT_FALSE;
    std::string device;
    if (!deviceFromConfiguration(plotConfig, device)) return E_INVALIDARG;
    const std::string windowsPath = win32::Utf8ToCp1252(com::Utf8FromOle(plotFile));
    const FileResult result = plotTo(windowsPath, device);
    // Plots are always complete on return; the transcript shows the setting
    // the caller plotted with.
    ui::driver().record("plot file=\"" + windowsPath + "\" backgroundplot=" + backgroundPlot() + " -> " +
                        (result.ok ? "ok" : "failed"));
    if (!result.ok) ui::driver().commandLine("Plot failed: " + result.error + "\n");
    *success = result.ok ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DisplayPlotPreview(AcPreviewMode) override {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    const FileResult result = db ? previewLayout(*db) : FileResult{false, "no drawing is open"};
    if (!result.ok) ui::driver().commandLine("Plot preview failed: " + result.error + "\n");
    return result.ok ? S_OK : E_FAIL;
  }

 protected:
  const IID& interfaceId() const override { return IID_IAcadPlot; }

 private:
  static std::string backgroundPlot() {
    resbuf value{};
    if (acedGetVar("BACKGROUNDPLOT", &value) != RTNORM || value.restype != RTSHORT) return "?";
    return std::to_string(value.resval.rint);
  }
  static FileResult plotTo(const std::string& windowsPath, const std::string& device) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return {false, "no drawing is open"};
    if (windowsPath.empty()) return {false, "no plot file name is given"};
    const std::string path = win32::ToPosixPath(windowsPath);
    if (path.empty()) return {false, "the path " + windowsPath + " cannot be reached"};
    return plotLayout(*db, path, device);
  }
};

class Document : public AutomationObject<IAcadDocument> {
 public:
  HRESULT STDMETHODCALLTYPE get_Plot(IAcadPlot** plot) override {
    if (plot) *plot = nullptr;
    if (fault == AutomationFault::NoPlotObject) return E_FAIL;
    return handOut(plot_, plot);
  }

 protected:
  const IID& interfaceId() const override { return IID_IAcadDocument; }

 private:
  Plot plot_;
};

class Application : public AutomationObject<IAcadApplication> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (fault == AutomationFault::NoApplicationInterface && IsEqualIID(riid, IID_IAcadApplication)) {
      if (object) *object = nullptr;
      return E_NOINTERFACE;
    }
    return AutomationObject<IAcadApplication>::QueryInterface(riid, object);
  }
  HRESULT STDMETHODCALLTYPE get_ActiveDocument(IAcadDocument** document) override {
    if (document) *document = nullptr;
    if (fault == AutomationFault::NoActiveDocument || !acdbHostApplicationServices()->workingDatabase())
      return E_FAIL;
    return handOut(document_, document);
  }

 protected:
  const IID& interfaceId() const override { return IID_IAcadApplication; }

 private:
  Document document_;
};

Application& application() {
  static Application the;
  return the;
}

}  // namespace

IDispatch* applicationDispatch() {
  IDispatch* dispatch = &application();
  dispatch->AddRef();
  return dispatch;
}

void setAutomationFault(AutomationFault newFault) { fault = newFault; }

long automationReferences() { return references; }

}  // namespace arx
