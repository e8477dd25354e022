// The automation server: application and action control objects, the class
// registration, the running editor and its journal.
#include <memory>
#include <mutex>

#include <com/registry.h>

#include "com_object.h"
#include "descriptor.h"
#include "editor.h"
#include "photoshop/server.h"
#include "user_interface.h"

namespace photoshop::detail {
namespace {

// The running editor; objects made by an earlier run are disconnected.
struct Server {
  std::mutex lock;
  std::unique_ptr<UserInterface> userInterface;
  long run = 0;
  std::vector<JournalEntry> journal;
};

Server& TheServer() {
  static Server server;
  return server;
}

bool Connected(long run) {
  std::lock_guard guard(TheServer().lock);
  return TheServer().userInterface && TheServer().run == run;
}

void Note(JournalEntry entry) {
  std::lock_guard guard(TheServer().lock);
  TheServer().journal.push_back(std::move(entry));
}

void StopEditor() {
  std::unique_ptr<UserInterface> stopping;
  {
    std::lock_guard guard(TheServer().lock);
    stopping = std::move(TheServer().userInterface);
    ++TheServer().run;
  }
  stopping.reset();  // outside the lock: the window thread may still call in
}

class ActionControl : public ComObject<IActionControl> {
 public:
  explicit ActionControl(long run) : ComObject(IID_IActionControl), run_(run) {}

  HRESULT STDMETHODCALLTYPE Play(LONG event, IActionDescriptor* descriptor, LONG dialogMode,
                                 IActionDescriptor** result) override {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (!Connected(run_)) return RPC_E_DISCONNECTED;
    std::optional<Descriptor> contents;
    if (descriptor != nullptr && !(contents = ContentsOf(descriptor))) return E_INVALIDARG;
    auto [failure, raised] = TheEditor().play(event, contents ? &*contents : nullptr);
    Note({"play", CodeText(event), dialogMode, contents ? DescribeDescriptor(*contents) : "", failure.value_or("")});
    if (raised) return E_FAIL;  // a file that could not be written: the call fails
    if (failure) {
      Descriptor why;
      why.put({.kind = Item::Kind::String, .key = CharId("Msg "), .text = *failure});
      *result = NewActionDescriptor(why);
    }
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetActionProperty(IActionReference* reference, IActionDescriptor** result) override {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (!Connected(run_)) return RPC_E_DISCONNECTED;
    auto contents = ContentsOf(reference);
    if (!contents) return E_INVALIDARG;
    auto answer = TheEditor().property(*contents);
    Note({"get property", "", 0, DescribeReference(*contents), answer ? "" : "no such property"});
    if (answer) *result = NewActionDescriptor(*answer);
    return S_OK;
  }

 private:
  long run_;
};

class Application : public ComObject<IPhotoshopApplication> {
 public:
  explicit Application(long run) : ComObject(IID_IPhotoshopApplication), run_(run) {}

  HRESULT STDMETHODCALLTYPE MakeControlObject(IActionControl** control) override {
    return make(control, [&] { return new ActionControl(run_); });
  }
  HRESULT STDMETHODCALLTYPE MakeDescriptor(IActionDescriptor** descriptor) override {
    return make(descriptor, [] { return NewActionDescriptor(); });
  }
  HRESULT STDMETHODCALLTYPE MakeReference(IActionReference** reference) override {
    return make(reference, [] { return NewActionReference(); });
  }
  HRESULT STDMETHODCALLTYPE Quit() override {
    if (!Connected(run_)) return RPC_E_DISCONNECTED;
    Note({"quit", "", 0, "", ""});
    StopEditor();
    return S_OK;
  }

 private:
  template <typename T, typename Make>
  HRESULT make(T** out, Make makeObject) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!Connected(run_)) return RPC_E_DISCONNECTED;
    *out = makeObject();
    return S_OK;
  }
  long run_;
};

// Starts the editor when it does not run, and hands out an application object.
IUnknown* MakeApplication() {
  std::lock_guard guard(TheServer().lock);
  if (!TheServer().userInterface) TheServer().userInterface = std::make_unique<UserInterface>();
  return static_cast<IPhotoshopApplication*>(new Application(TheServer().run));
}

// Installed while the library is loaded; the running editor ends with it.
// ImageMagick, the editor and the server state start here, so that they end
// only after the running editor has been stopped.
struct Installation {
  Installation() {
    Magick::InitializeMagick(nullptr);
    TheEditor();
    TheServer();
    Install();
  }
  // The registry outlives this library when the program links the COM
  // runtime itself: take the class out before the factory's code goes.
  ~Installation() {
    com::UnregisterClassFactory(CLSID_PhotoshopApplication);
    StopEditor();
  }
} installation;

}  // namespace
}  // namespace photoshop::detail

namespace photoshop {

void Install() { com::RegisterClassFactory(CLSID_PhotoshopApplication, detail::MakeApplication); }

void Uninstall() {
  com::UnregisterClassFactory(CLSID_PhotoshopApplication);
  detail::StopEditor();
}

bool IsRunning() {
  std::lock_guard guard(detail::TheServer().lock);
  return detail::TheServer().userInterface != nullptr;
}

std::vector<JournalEntry> Journal() {
  std::lock_guard guard(detail::TheServer().lock);
  return detail::TheServer().journal;
}

void ClearJournal() {
  std::lock_guard guard(detail::TheServer().lock);
  detail::TheServer().journal.clear();
}

std::vector<DocumentView> Documents() {
  std::vector<DocumentView> views;
  for (const detail::Document& d : detail::TheEditor().documents()) {
    DocumentView view{d.id, d.windowsPath, {}, d.hasBackground(), d.dirty};
    for (const detail::Layer& layer : d.layers) view.layers.push_back(layer.name);
    views.push_back(view);
  }
  return views;
}

}  // namespace photoshop
