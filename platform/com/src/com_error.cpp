// The COM error exception and the descriptions of the statuses it carries.
#include <comdef.h>

#include <cstdio>

namespace {

const char* KnownDescription(HRESULT hr) {
  switch (hr) {
    case E_NOTIMPL: return "Not implemented";
    case E_NOINTERFACE: return "No such interface supported";
    case E_POINTER: return "Invalid pointer";
    case E_FAIL: return "Unspecified error";
    case E_INVALIDARG: return "The parameter is incorrect";
    case E_OUTOFMEMORY: return "Not enough memory";
    case E_UNEXPECTED: return "Catastrophic failure";
    case REGDB_E_CLASSNOTREG: return "Class not registered";
    case CO_E_NOTINITIALIZED: return "CoInitialize has not been called";
    case RPC_E_DISCONNECTED: return "The object invoked has disconnected from its clients";
    default: return nullptr;
  }
}

}  // namespace

const char* _com_error::ErrorMessage() const {
  if (message_.empty()) {
    char code[48];
    std::snprintf(code, sizeof code, "IDispatch error #0x%08X", static_cast<unsigned>(hr_));
    const char* known = KnownDescription(hr_);
    message_ = known ? known : code;
  }
  return message_.c_str();
}

void WINAPI _com_issue_error(HRESULT hr) { throw _com_error(hr); }
