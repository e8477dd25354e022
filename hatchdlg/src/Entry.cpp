// The library's entry points: DllMain installs the exception handler of the
// forms, DoSchraff runs the hatch form on the caller's record.
#include <memory>

#include "Schraffur.h"

namespace {

// Shows every exception that escapes an event handler of the forms; the form
// stays open.
class TAusnahmeBehandlung : public TObject {
 public:
  void AppException(TObject*, Exception* E) { ShowMessage("Ausnahmebedingung: " + E->Message); }
};

TAusnahmeBehandlung* Ausnahmen = nullptr;

// Frees the form and leaves the owner window unset, also when the form
// fails.
struct FormRun {
  std::unique_ptr<TfrmSchraffur> form;
  ~FormRun() {
    form.reset();
    frmSchraffur = nullptr;
    Application->Handle = nullptr;
  }
};

void ZeigeSchraffur(TSchraffurRecord* Record) {
  FormRun run{std::make_unique<TfrmSchraffur>(nullptr)};
  frmSchraffur = run.form.get();
  run.form->Init(Record);
  run.form->ShowModal();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Ausnahmen = new TAusnahmeBehandlung;
    Application->OnException = vcl::Closure(Ausnahmen, &TAusnahmeBehandlung::AppException);
  } else if (reason == DLL_PROCESS_DETACH) {
    Application->OnException = nullptr;
    delete Ausnahmen;
    Ausnahmen = nullptr;
  }
  return TRUE;
}

// An exception outside the form's handlers (the form cannot be built) is
// shown like theirs rather than thrown into a host that cannot catch it. A
// call made while the form is open (from a host callback) returns at once:
// the library has one current hatch form.
extern "C" __attribute__((visibility("default"))) int WINAPI DoSchraff(TSchraffurRecord* Record) {
  if (frmSchraffur) return 1;
  try {
    Application->Initialize();
    Application->Title = "";
    Application->HelpFile = "";
    if (Record) Application->Handle = Record->ParentWindow;
    ZeigeSchraffur(Record);
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return 1;
}
