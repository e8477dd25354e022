#pragma once
// Kernel objects behind HANDLE values (files, listings, and later processes
// and threads). A HANDLE is the object's address, valid while registered;
// CloseHandle destroys the object.
#include <memory>
#include <windows.h>

namespace win32 {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

HANDLE RegisterHandle(std::unique_ptr<KernelObject> object);
// The live object behind `handle`, nullptr for anything else.
KernelObject* LookupHandle(HANDLE handle);
template <typename T>
T* HandleAs(HANDLE handle) {
  return dynamic_cast<T*>(LookupHandle(handle));
}
// Unregisters and destroys; false when `handle` is not a live handle.
bool DestroyHandle(HANDLE handle);

}  // namespace win32
