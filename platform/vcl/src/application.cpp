// The application object, its exception handling and simple message boxes.
#include <Dialogs.hpp>

#include <exception>

namespace {
// Lives as long as the library, so that a host that frees the library (and
// with it this one) and loads it again does not leak the application object.
TApplication theApplication;
}  // namespace

TApplication* Application = &theApplication;

void TApplication::HandleException(TObject* Sender) {
  auto handle = [&](Exception& e) {
    if (OnException) OnException(Sender, &e);
    else ShowException(&e);
  };
  try {
    throw;
  } catch (Exception& e) {
    handle(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    handle(wrapped);
  } catch (...) {
    Exception wrapped("unknown exception");
    handle(wrapped);
  }
}

void TApplication::ShowException(Exception* E) {
  MessageBox(E->Message.c_str(), Title.c_str(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const char* Text, const char* Caption, int Flags) {
  return MessageBoxA(Handle, Text, Caption, static_cast<UINT>(Flags));
}

void ShowMessage(const AnsiString& message) {
  MessageBoxA(Application->Handle, message.c_str(), Application->Title.c_str(), MB_OK);
}
