#include "plot/plot_object.h"

#include <acadi.h>
#include <aced.h>
#include <afxwin.h>
#include <windows.h>

#include <vector>

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

// A wide copy of an ANSI text, allocated as a BSTR (null when it fails).
BSTR allocWide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return nullptr;
  std::vector<WCHAR> wide(static_cast<size_t>(length));
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  return SysAllocString(wide.data());
}

bool plotWith(IAcadPlot* plot, const std::string& path) {
  BSTR fileName = allocWide(path);
  if (!fileName) return false;
  VARIANT configuration;
  VariantInit(&configuration);
  configuration.vt = VT_BSTR;
  configuration.bstrVal = allocWide("");  // the layout's own device and page setup
  VARIANT_BOOL success = VARIANT_FALSE;
  const HRESULT result = plot->PlotToFile(fileName, configuration, &success);
  VariantClear(&configuration);
  SysFreeString(fileName);
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
  IAcadPlot* plot = plotObjectOfActiveDocument();
  if (!plot) return false;
  const bool plotted = plotWith(plot, path);
  releaseInterface(plot);
  return plotted;
}
