#pragma once
// Module helpers no real platform has.
#include <string>
#include <windows.h>

namespace win32 {

// The module (shared object or program) that holds `address`; a module uses
// it to find its own instance handle. nullptr when no module holds it.
HMODULE ModuleOfAddress(const void* address);

// The loader's own explanation of the last failed LoadLibraryA on this
// thread, for messages ("" when there is none).
std::string LastLoadErrorText();

}  // namespace win32
