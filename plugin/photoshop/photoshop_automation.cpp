// The Photoshop operations: connection, events, descriptors and references.
#include "photoshop/photoshop_automation.h"

#include <comdef.h>

#include "frame/ole_text.h"

PhotoshopConnection thePhotoshopConnection;

namespace {

PhotoshopConnection& ps = thePhotoshopConnection;

// The application class: looked up by its identifier, any server context.
constexpr DWORD kAnyServerContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;  // 23

void Check(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}

template <typename T>
T* Need(T* field) {
  if (field == nullptr) _com_issue_error(E_POINTER);
  return field;
}

// A COM reference released at the end of the operation, also when a call
// raises an error on the way.
template <typename T>
class Owned {
 public:
  Owned() = default;
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() {
    if (p_) p_->Release();
  }
  T** out() { return &p_; }
  T* operator->() const { return Need(p_); }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// Text for Photoshop: the ANSI code page's string as a Unicode BSTR.
class UnicodeText : public OleText {
 public:
  explicit UnicodeText(const std::string& ansi) : OleText(ansi) {
    if (get() == nullptr) _com_issue_error(E_OUTOFMEMORY);
  }
  operator BSTR() const { return get(); }
};

void MakeDescriptor(Owned<IActionDescriptor>& options) { Check(Need(ps.application)->MakeDescriptor(options.out())); }
void MakeReference(Owned<IActionReference>& reference) { Check(Need(ps.application)->MakeReference(reference.out())); }

IActionDescriptor* ClearedDescriptor() {
  Check(Need(ps.descriptor)->Clear());
  return ps.descriptor;
}

// The play rule: true when Photoshop carried the event out (no result came back).
bool Play(const char (&event)[5], IActionDescriptor* descriptor) {
  Check(Need(ps.control)->Play(PsCode(event), descriptor, kSilentDialogMode, &ps.lastResult));
  if (ps.lastResult == nullptr) return true;
  ps.lastResult->Release();
  ps.lastResult = nullptr;
  return false;
}

// Reads one integer property of what the reference names.
bool ReadProperty(IActionReference* reference, const char (&key)[5], LONG& value) {
  IActionDescriptor* properties = nullptr;  // Propers
  Check(Need(ps.control)->GetActionProperty(reference, &properties));
  ps.lastResult = nullptr;
  if (properties == nullptr) return false;
  HRESULT hr = properties->GetInteger(PsCode(key), &value);
  properties->Release();
  Check(hr);
  return true;
}

// The three puts and the play that end every save-as.
bool SaveAs(IActionDescriptor* descriptor, const std::string& path) {
  UnicodeText file(path);
  Check(descriptor->PutPath(PsCode("In  "), file));
  Check(descriptor->PutBoolean(PsCode("LwCs"), VARIANT_TRUE));
  return Play("save", descriptor);
}

bool SaveWithOptions(const char (&formatClass)[5], bool global, IActionDescriptor* options, const std::string& path) {
  IActionDescriptor* descriptor = ClearedDescriptor();
  if (global) Check(descriptor->PutGlobalObject(PsCode("As  "), PsCode(formatClass), options));
  else Check(descriptor->PutObject(PsCode("As  "), PsCode(formatClass), options));
  return SaveAs(descriptor, path);
}

bool SetSelection(const char (&value)[5]) {
  Owned<IActionReference> reference;
  MakeReference(reference);
  IActionDescriptor* descriptor = ClearedDescriptor();
  Check(reference->PutProperty(PsCode("Chnl"), PsCode("fsel")));
  Check(descriptor->PutReference(PsCode("null"), reference.get()));
  Check(descriptor->PutEnumerated(PsCode("T   "), PsCode("Ordn"), PsCode(value)));
  return Play("setd", descriptor);
}

bool DeleteLayer(IActionReference* reference) {
  IActionDescriptor* descriptor = ps.descriptor;
  Check(descriptor->PutReference(PsCode("null"), reference));
  return Play("Dlt ", descriptor);
}

template <typename T>
void Release(T*& field) {
  if (field) field->Release();
  field = nullptr;
}

}  // namespace

bool psConnect() {
  CoInitialize(nullptr);
  IUnknown* object = nullptr;
  if (FAILED(CoCreateInstance(CLSID_PhotoshopApplication, nullptr, kAnyServerContext, IID_IUnknown,
                              reinterpret_cast<void**>(&object))) ||
      object == nullptr) {
    CoUninitialize();  // nothing was made: leave COM as it was
    return false;
  }
  OleRun(object);
  HRESULT hr = object->QueryInterface(IID_IPhotoshopApplication, reinterpret_cast<void**>(&ps.application));
  object->Release();
  if (FAILED(hr) || ps.application == nullptr) {
    ps.application = nullptr;
    CoUninitialize();
    return false;
  }
  Check(ps.application->MakeControlObject(&ps.control));
  Check(ps.application->MakeDescriptor(&ps.descriptor));
  return true;
}

void psDisconnect() {
  Release(ps.descriptor);
  Release(ps.control);
  Check(Need(ps.application)->Quit());
  Release(ps.application);
  CoUninitialize();
}

void psDisconnectAfterError() noexcept {
  if (ps.application == nullptr) return;
  Release(ps.lastResult);
  Release(ps.descriptor);
  Release(ps.control);
  ps.application->Quit();  // an editor that cannot answer is let go all the same
  Release(ps.application);
  CoUninitialize();
}

bool psOpen(const std::string& path) {
  IActionDescriptor* descriptor = ClearedDescriptor();
  UnicodeText file(path);
  Check(descriptor->PutPath(PsCode("null"), file));
  return Play("Opn ", descriptor);
}

bool psOpenEps(const std::string& path, double resolution) {
  Owned<IActionDescriptor> options;
  MakeDescriptor(options);
  IActionDescriptor* descriptor = ClearedDescriptor();
  Check(options->PutUnitDouble(PsCode("Rslt"), PsCode("#Rsl"), resolution));
  Check(descriptor->PutObject(PsCode("As  "), PsCode("EPSG"), options.get()));
  UnicodeText file(path);
  Check(descriptor->PutPath(PsCode("null"), file));
  return Play("Opn ", descriptor);
}

bool psSaveAsPsd(const std::string& path) {
  IActionDescriptor* descriptor = ClearedDescriptor();
  Check(descriptor->PutClass(PsCode("As  "), PsCode("Pht3")));
  return SaveAs(descriptor, path);
}

bool psSaveAsTiff(const std::string& path) {
  Owned<IActionDescriptor> options;
  MakeDescriptor(options);
  Check(options->PutEnumerated(PsCode("BytO"), PsCode("Pltf"), PsCode("IBMP")));
  return SaveWithOptions("TIFF", false, options.get(), path);
}

bool psSaveAsBmp(const std::string& path) {
  Owned<IActionDescriptor> options;
  MakeDescriptor(options);
  Check(options->PutEnumerated(PsCode("Pltf"), PsCode("Pltf"), PsCode("Win ")));
  Check(options->PutEnumerated(PsCode("BtDp"), PsCode("BtDp"), PsCode("BD24")));
  Check(options->PutBoolean(PsCode("Cmpr"), VARIANT_FALSE));
  return SaveWithOptions("BMPF", true, options.get(), path);
}

bool psSaveAsJpeg(const std::string& path) {
  Owned<IActionDescriptor> options;
  MakeDescriptor(options);
  Check(options->PutInteger(PsCode("Qlty"), 6));
  return SaveWithOptions("JPEG", false, options.get(), path);
}

bool psSaveAsPng(const std::string& path) {
  Owned<IActionDescriptor> options;
  MakeDescriptor(options);
  Check(options->PutEnumerated(PsCode("PGIT"), PsCode("PGIT"), PsCode("PGIN")));
  Check(options->PutEnumerated(PsCode("PNGf"), PsCode("PNGf"), PsCode("PGNo")));
  return SaveWithOptions("PNGF", true, options.get(), path);
}

bool psSaveAsTarga(const std::string& path) {
  // Targa options give the depth as a number of bits per pixel: 24 bits.
  Owned<IActionDescriptor> options;
  MakeDescriptor(options);
  Check(options->PutInteger(PsCode("BtDp"), 24));
  return SaveWithOptions("TrgF", true, options.get(), path);
}

bool psSave() {
  ClearedDescriptor();
  return Play("save", nullptr);
}

bool psCloseDiscarding() {
  Owned<IActionReference> reference;
  MakeReference(reference);
  IActionDescriptor* descriptor = ClearedDescriptor();
  Check(reference->PutProperty(PsCode("Prpr"), PsCode("IsDr")));
  Check(reference->PutEnumerated(PsCode("Dcmn"), PsCode("Ordn"), PsCode("Trgt")));
  Check(descriptor->PutReference(PsCode("null"), reference.get()));
  Check(descriptor->PutBoolean(PsCode("T   "), VARIANT_FALSE));
  if (!Play("setd", descriptor)) return false;
  return Play("Cls ", nullptr);
}

bool psGetDocumentId(LONG& id) {
  Owned<IActionReference> reference;
  MakeReference(reference);
  Check(reference->PutProperty(PsCode("Prpr"), PsCode("DocI")));
  Check(reference->PutEnumerated(PsCode("Dcmn"), PsCode("Ordn"), PsCode("Trgt")));
  return ReadProperty(reference.get(), "DocI", id);
}

bool psGetBackgroundLayerId(LONG& id) {
  Owned<IActionReference> reference;
  MakeReference(reference);
  Check(reference->PutProperty(PsCode("Prpr"), PsCode("LyrI")));
  Check(reference->PutProperty(PsCode("Lyr "), PsCode("Bckg")));
  return ReadProperty(reference.get(), "LyrI", id);
}

bool psMakeLayer(const std::string& name, const char (&colour)[5], bool background) {
  Owned<IActionDescriptor> options;
  MakeDescriptor(options);
  IActionDescriptor* descriptor = ClearedDescriptor();
  UnicodeText layerName(name);
  Check(options->PutString(PsCode("Nm  "), layerName));
  Check(options->PutEnumerated(PsCode("Clr "), PsCode("Clr "), PsCode(colour)));
  Check(descriptor->PutObject(PsCode("Nw  "), background ? PsCode("BckL") : PsCode("Lyr "), options.get()));
  return Play("Mk  ", descriptor);
}

bool psDeleteLayerAt(LONG index) {
  Owned<IActionReference> reference;
  MakeReference(reference);
  ClearedDescriptor();
  Check(reference->PutIndex(PsCode("Lyr "), index));
  return DeleteLayer(reference.get());
}

bool psDeleteBackground() {
  Owned<IActionReference> reference;
  MakeReference(reference);
  ClearedDescriptor();
  Check(reference->PutProperty(PsCode("Lyr "), PsCode("Bckg")));
  return DeleteLayer(reference.get());
}

bool psDuplicateLayerTo(const std::string& name, LONG documentId) {
  Owned<IActionReference> from;  // RefFrom
  Owned<IActionReference> to;    // RefTo
  MakeReference(from);
  MakeReference(to);
  IActionDescriptor* descriptor = ClearedDescriptor();
  Check(from->PutEnumerated(PsCode("Lyr "), PsCode("Ordn"), PsCode("Trgt")));
  Check(to->PutIdentifier(PsCode("Dcmn"), documentId));
  UnicodeText layerName(name);
  Check(descriptor->PutReference(PsCode("null"), from.get()));
  Check(descriptor->PutString(PsCode("Nm  "), layerName));
  Check(descriptor->PutReference(PsCode("T   "), to.get()));
  return Play("Dplc", descriptor);
}

bool psSelectAll() { return SetSelection("Al  "); }
bool psDeselect() { return SetSelection("None"); }

bool psCopy() { return Play("copy", nullptr); }
bool psPaste() { return Play("past", nullptr); }
bool psDelete() { return Play("Dlt ", nullptr); }
bool psColorRange() { return Play("ClrR", nullptr); }

bool psSetColor(double red, double green, double blue, bool background) {
  Owned<IActionDescriptor> options;
  Owned<IActionReference> reference;
  MakeDescriptor(options);
  MakeReference(reference);
  IActionDescriptor* descriptor = ClearedDescriptor();
  Check(reference->PutProperty(PsCode("Clr "), background ? PsCode("BckC") : PsCode("FrgC")));
  Check(options->PutDouble(PsCode("Rd  "), red));
  Check(options->PutDouble(PsCode("Grn "), green));
  Check(options->PutDouble(PsCode("Bl  "), blue));
  Check(descriptor->PutReference(PsCode("null"), reference.get()));
  Check(descriptor->PutObject(PsCode("T   "), PsCode("RGBC"), options.get()));
  return Play("setd", descriptor);
}
