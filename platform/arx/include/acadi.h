#pragma once
// The editor's automation interfaces that plotting from a module needs: the
// application, its active document and the document's plot object.
// The COM types and the string and variant functions come from the COM runtime.
#include <windows.h>

#include <oleauto.h>

// ---- The editor's own interfaces ----

enum AcPreviewMode { acPartialPreview = 0, acFullPreview = 1 };

struct IAcadPlot : public IDispatch {
  // Plots the active layout to `plotFile`; `plotConfig` is a string naming a
  // plot device, empty to use the layout's own page setup.
  virtual HRESULT STDMETHODCALLTYPE PlotToFile(BSTR plotFile, VARIANT plotConfig, VARIANT_BOOL* success) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisplayPlotPreview(AcPreviewMode preview) = 0;
};

struct IAcadDocument : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Plot(IAcadPlot** plot) = 0;
};

struct IAcadApplication : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_ActiveDocument(IAcadDocument** document) = 0;
};

// {93BC4E71-AFE7-4AA7-BC07-F80ACDB672D5}
extern "C" const IID IID_IAcadApplication;
extern "C" const IID IID_IAcadDocument;
extern "C" const IID IID_IAcadPlot;
