#include "plot/plot_object.h"

#include <acadi.h>
#include <aced.h>
#include <afxwin.h>
#include <windows.h>

#include <memory>

#include "frame/ole_text.h"

namespace {

IAcadPlot* thePlotObject = nullptr;

template <typename T>
void releaseInterface(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

// application dispatch -> IAcadApplication -> active document -> plot.
IAcadPlot* plotObjectOfActiveDocument() {
  CWinApp* app = acedGetAcadWinApp();
  IDispatch* dispatch = app ? app->GetIDispatch(TRUE) : nullptr;
  if (!dispatch) return nullptr;
  IAcadApplication* application = nullptr;
  HRESULT result = dispatch->QueryInterface(IID_IAcadApplication, reinterpret_cast<void**>(&application));
  releaseInterface(dispatch);
  if (FAILED(result) || !application) return nullptr;
  IAcadDocument* document = nullptr;
  result = application->get_ActiveDocument(&document);
  releaseInterface(application);
  if (FAILED(result) || !document) return nullptr;
  IAcadPlot* plot = nullptr;
  result = document->get_Plot(&plot);
  releaseInterface(document);
  if (FAILED(result)) releaseInterface(plot);
  return plot;
}

// A COM reference released at the end of the scope.
struct ReleaseInterface {
  void operator()(IUnknown* object) const { object->Release(); }
};
using OwnedPlot = std::unique_ptr<IAcadPlot, ReleaseInterface>;

// The strings are freed also when the plot raises an error.
bool plotWith(IAcadPlot* plot, const std::string& path) {
  const OleText fileName(path);
  const OleText layoutsOwn("");  // the layout's own device and page setup
  if (!fileName.get() || !layoutsOwn.get()) return false;
  VARIANT configuration;
  VariantInit(&configuration);
  configuration.vt = VT_BSTR;
  configuration.bstrVal = layoutsOwn.get();  // lent: the variant is not cleared
  VARIANT_BOOL success = VARIANT_FALSE;
  const HRESULT result = plot->PlotToFile(fileName.get(), configuration, &success);
  return SUCCEEDED(result) && success == VARIANT_TRUE;
}

}  // namespace

bool acquirePlotObject() {
  releasePlotObject();
  thePlotObject = plotObjectOfActiveDocument();
  return thePlotObject != nullptr;
}

void releasePlotObject() { releaseInterface(thePlotObject); }

bool hasPlotObject() { return thePlotObject != nullptr; }

void previewPlot() {
  if (thePlotObject) thePlotObject->DisplayPlotPreview(acFullPreview);
}

bool plotFile(const std::string& path) {
  if (thePlotObject) return plotWith(thePlotObject, path);
  const OwnedPlot plot(plotObjectOfActiveDocument());
  return plot && plotWith(plot.get(), path);
}
