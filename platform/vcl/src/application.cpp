// The application object, its exception handling and simple message boxes.
#include <Dialogs.hpp>

#include <exception>

TApplication* Application = new TApplication;

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
