// Modules: shared objects loaded with dlopen, attached through DllMain.
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <mutex>

#include "internal.h"
#include "win32/modules.h"
#include "win32/posix.h"

using win32::detail::Fail;

namespace {

typedef BOOL(WINAPI* DllEntry)(HINSTANCE, DWORD, LPVOID);

// The loader lock: held while a module attaches or detaches, so a DllMain
// may load further modules on the same thread.
std::recursive_mutex loaderLock;
std::map<void*, int> loadCounts;  // modules loaded through LoadLibraryA
thread_local std::string lastLoadError;

bool IsFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, n) : std::string();
}

std::string FolderOf(const std::string& posixPath) {
  auto slash = posixPath.find_last_of('/');
  return slash == std::string::npos ? "." : posixPath.substr(0, slash == 0 ? 1 : slash);
}

std::string BaseName(const std::string& path) {
  auto slash = path.find_last_of("/\\:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Windows adds ".dll" to a module name without extension; a trailing dot
// means "no extension" and is dropped.
std::string WithDefaultExtension(std::string name) {
  std::string base = BaseName(name);
  if (!base.empty() && base.back() == '.') name.pop_back();
  else if (base.find('.') == std::string::npos) name += ".dll";
  return name;
}

// The loaded objects of the process, program first.
template <typename Visit>
void ForEachLoaded(Visit visit) {
  void* self = dlopen(nullptr, RTLD_LAZY);
  link_map* map = nullptr;
  if (self != nullptr && dlinfo(self, RTLD_DI_LINKMAP, &map) == 0)
    for (; map != nullptr; map = map->l_next)
      if (visit(map)) break;
  if (self != nullptr) dlclose(self);
}

std::string ObjectPath(const link_map* map) {
  std::string name = map->l_name ? map->l_name : "";
  if (name.empty()) return ExecutablePath();
  char resolved[PATH_MAX];
  return realpath(name.c_str(), resolved) ? std::string(resolved) : name;
}

bool IsLoadedObject(void* handle) {
  bool found = false;
  ForEachLoaded([&](link_map* map) { return found = (map == handle); });
  return found;
}

// The loaded object with that Windows name (file name alone or full path).
link_map* FindLoaded(const std::string& windowsName) {
  std::string wanted = WithDefaultExtension(windowsName);
  bool byPath = wanted.find_first_of("\\/:") != std::string::npos;
  std::string wantedPosix = byPath ? win32::ToPosixPath(wanted) : win32::Cp1252ToUtf8(wanted);
  link_map* found = nullptr;
  ForEachLoaded([&](link_map* map) {
    std::string path = ObjectPath(map);
    bool same = byPath ? win32::detail::EqualsNoCase(path, wantedPosix)
                       : win32::detail::EqualsNoCase(BaseName(path), wantedPosix);
    if (same) found = map;
    return same;
  });
  return found;
}

// Where LoadLibraryA looks for a module given by name alone: a loaded module
// of that name, the program's folder, the current folder; otherwise the
// system's own search.
std::string ResolveModule(const std::string& windowsName) {
  std::string name = WithDefaultExtension(windowsName);
  if (name.find_first_of("\\/:") != std::string::npos) return win32::ToPosixPath(name);
  if (link_map* loaded = FindLoaded(name)) return ObjectPath(loaded);
  std::string utf8 = win32::Cp1252ToUtf8(name);
  for (const std::string& folder : {FolderOf(ExecutablePath()), std::string(".")})
    if (IsFile(folder + "/" + utf8)) return folder + "/" + utf8;
  return utf8;
}

DllEntry EntryOf(void* handle) {
  return reinterpret_cast<DllEntry>(dlsym(handle, "DllMain"));
}

// Runs the module's attach entry; false (module unloaded) when it refuses.
bool Attach(void* handle, const std::string& name) {
  DllEntry entry = EntryOf(handle);
  if (entry == nullptr) return true;
  auto instance = static_cast<HINSTANCE>(handle);
  if (entry(instance, DLL_PROCESS_ATTACH, nullptr)) return true;
  entry(instance, DLL_PROCESS_DETACH, nullptr);
  loadCounts.erase(handle);
  dlclose(handle);
  lastLoadError = "the initialisation of " + name + " failed";
  return false;
}

}  // namespace

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  lastLoadError.clear();
  if (lpLibFileName == nullptr || *lpLibFileName == '\0') return Fail<HMODULE>(ERROR_MOD_NOT_FOUND, nullptr);
  std::string path = ResolveModule(lpLibFileName);
  std::lock_guard lock(loaderLock);
  void* handle = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = path.empty() ? nullptr : dlerror();
    lastLoadError = why ? why : std::string(lpLibFileName) + ": no such module";
    bool present = path.find('/') != std::string::npos && IsFile(path);
    return Fail<HMODULE>(present ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND, nullptr);
  }
  if (++loadCounts[handle] > 1) return static_cast<HMODULE>(handle);
  if (!Attach(handle, lpLibFileName)) return Fail<HMODULE>(ERROR_DLL_INIT_FAILED, nullptr);
  return static_cast<HMODULE>(handle);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  std::lock_guard lock(loaderLock);
  auto it = loadCounts.find(hLibModule);
  if (it == loadCounts.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (--it->second == 0) {
    if (DllEntry entry = EntryOf(hLibModule)) entry(hLibModule, DLL_PROCESS_DETACH, nullptr);
    loadCounts.erase(it);
  }
  dlclose(hLibModule);  // one per successful LoadLibraryA
  return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (hModule == nullptr) hModule = GetModuleHandleA(nullptr);
  if (!IsLoadedObject(hModule)) return Fail<FARPROC>(ERROR_MOD_NOT_FOUND, nullptr);
  // Names only: an ordinal (a value below 0x10000) has no meaning here.
  if (reinterpret_cast<UINT_PTR>(lpProcName) < 0x10000) return Fail<FARPROC>(ERROR_PROC_NOT_FOUND, nullptr);
  void* symbol = dlsym(hModule, lpProcName);
  if (symbol == nullptr) return Fail<FARPROC>(ERROR_PROC_NOT_FOUND, nullptr);
  return reinterpret_cast<FARPROC>(symbol);
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName == nullptr) {
    HMODULE program = nullptr;
    ForEachLoaded([&](link_map* map) {
      program = reinterpret_cast<HMODULE>(map);
      return true;
    });
    return program;
  }
  link_map* found = FindLoaded(lpModuleName);
  if (found == nullptr) return Fail<HMODULE>(ERROR_MOD_NOT_FOUND, nullptr);
  return reinterpret_cast<HMODULE>(found);
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule == nullptr) hModule = GetModuleHandleA(nullptr);
  if (!IsLoadedObject(hModule)) return Fail<DWORD>(ERROR_MOD_NOT_FOUND, 0);
  std::string path = ObjectPath(reinterpret_cast<link_map*>(hModule));
  return win32::detail::CopyTruncated(win32::ToWindowsPath(path), lpFilename, nSize);
}

namespace win32 {

HMODULE ModuleOfAddress(const void* address) {
  Dl_info info{};
  link_map* map = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) return nullptr;
  return reinterpret_cast<HMODULE>(map);
}

std::string LastLoadErrorText() { return lastLoadError; }

}  // namespace win32
