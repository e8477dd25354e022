// The table of live kernel objects.
#include "win32/handles.h"

#include <map>
#include <mutex>

#include "internal.h"

namespace {
std::mutex tableMutex;
std::map<HANDLE, std::unique_ptr<win32::KernelObject>>& Table() {
  static auto* table = new std::map<HANDLE, std::unique_ptr<win32::KernelObject>>;
  return *table;
}
}  // namespace

namespace win32 {

HANDLE RegisterHandle(std::unique_ptr<KernelObject> object) {
  HANDLE handle = object.get();
  std::lock_guard lock(tableMutex);
  Table()[handle] = std::move(object);
  return handle;
}

KernelObject* LookupHandle(HANDLE handle) {
  std::lock_guard lock(tableMutex);
  auto it = Table().find(handle);
  return it == Table().end() ? nullptr : it->second.get();
}

bool DestroyHandle(HANDLE handle) {
  std::unique_ptr<KernelObject> object;
  {
    std::lock_guard lock(tableMutex);
    auto it = Table().find(handle);
    if (it == Table().end()) return false;
    object = std::move(it->second);
    Table().erase(it);
  }
  return true;  // the object is destroyed outside the lock
}

}  // namespace win32

BOOL WINAPI CloseHandle(HANDLE hObject) {
  return win32::DestroyHandle(hObject) ? TRUE : win32::detail::Fail(ERROR_INVALID_HANDLE, FALSE);
}
