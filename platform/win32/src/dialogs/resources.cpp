// Module resources: resource scripts and embedded files registered by the
// module that holds them, found through the module's handle.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <list>
#include <memory>
#include <mutex>

#include "../internal.h"
#include "dialog_windows.h"
#include "win32/modules.h"
#include "win32/posix.h"
#include "win32/resource_script.h"

using win32::detail::Fail;

namespace {

struct Script {
  const void* anchor;
  std::vector<win32::Resource> resources;
};
struct Embedded {
  const void* anchor;
  std::string name;
  const unsigned char* data;
  std::size_t size;
};

std::mutex resourceLock;
std::list<Script>& Scripts() {
  static auto* scripts = new std::list<Script>;
  return *scripts;
}
std::list<Embedded>& Files() {
  static auto* files = new std::list<Embedded>;
  return *files;
}

HMODULE ModuleOrProgram(HMODULE module) { return module ? module : GetModuleHandleA(nullptr); }

// A resource name: a number (MAKEINTRESOURCE or "#123"); -1 for other names.
int NumberOf(LPCSTR name) {
  if (name == nullptr) return -1;
  if (IS_INTRESOURCE(name)) return static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
  if (name[0] == '#' && name[1] != '\0') return std::atoi(name + 1);
  return -1;
}

bool TypeMatches(const win32::Resource& r, int type) {
  using T = win32::Resource::Type;
  return (r.type == T::Dialog && type == 5) || (r.type == T::Bitmap && type == 2) ||
         (r.type == T::Icon && (type == 14 || type == 3));
}

// The registered resource behind a handle (lock held).
const win32::Resource* Lookup(const void* handle) {
  for (const Script& s : Scripts())
    for (const win32::Resource& r : s.resources)
      if (&r == handle) return &r;
  return nullptr;
}

// The embedded file `name` of `module` (lock held).
const Embedded* FileOf(HMODULE module, const std::string& name) {
  for (const Embedded& f : Files())
    if (f.name == name && win32::ModuleOfAddress(f.anchor) == module) return &f;
  return nullptr;
}

std::uint32_t Read32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }
std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// Size and depth of a .bmp file; false when it is not one.
bool BitmapSize(const unsigned char* data, std::size_t size, int& width, int& height, int& bits) {
  if (size < 54 || data[0] != 'B' || data[1] != 'M') return false;
  width = static_cast<int>(Read32(data + 18));
  height = std::abs(static_cast<std::int32_t>(Read32(data + 22)));
  bits = Read16(data + 28);
  return width > 0 && height > 0;
}

// The icon image of an .ico file nearest to the wanted size (0: 32 x 32).
bool IconSize(const unsigned char* data, std::size_t size, int want, int& width, int& height, int& bits) {
  if (size < 6 || Read16(data) != 0 || Read16(data + 2) != 1) return false;
  const int count = Read16(data + 4);
  if (count == 0 || size < 6 + 16u * count) return false;
  if (want <= 0) want = 32;
  int best = -1;
  for (int i = 0; i < count; ++i) {
    const unsigned char* entry = data + 6 + 16 * i;
    const int w = entry[0] ? entry[0] : 256;
    if (best < 0 || std::abs(w - want) < std::abs(width - want)) {
      best = i, width = w, height = entry[1] ? entry[1] : 256, bits = Read16(entry + 6);
    }
  }
  return true;
}

HANDLE MakeFromData(bool icon, const std::string& name, const unsigned char* data, std::size_t size, int want) {
  int width = 0, height = 0, bits = 0;
  const bool ok = icon ? IconSize(data, size, want, width, height, bits) : BitmapSize(data, size, width, height, bits);
  if (!ok) return Fail<HANDLE>(ERROR_RESOURCE_DATA_NOT_FOUND, nullptr);
  // The file's bytes go with the picture, for a view that paints it.
  auto bytes = std::make_shared<const std::string>(reinterpret_cast<const char*>(data), size);
  return win32::gdi::MakeImage(
      icon, {name, want > 0 && icon ? want : width, want > 0 && icon ? want : height, std::move(bytes)}, bits);
}

HANDLE LoadFromResource(HINSTANCE module, LPCSTR name, bool icon, int want) {
  HRSRC found = FindResourceA(module, name, icon ? RT_GROUP_ICON : RT_BITMAP);
  if (found == nullptr) return nullptr;
  std::lock_guard guard(resourceLock);
  const win32::Resource* r = Lookup(found);
  const Embedded* file = r ? FileOf(ModuleOrProgram(module), r->file) : nullptr;
  if (file == nullptr) return Fail<HANDLE>(ERROR_RESOURCE_DATA_NOT_FOUND, nullptr);
  return MakeFromData(icon, (icon ? "icon " : "bitmap ") + std::to_string(r->id), file->data, file->size, want);
}

HANDLE LoadFromFile(LPCSTR path, bool icon, int want) {
  const std::string posix = win32::ToPosixPath(path ? path : "");
  std::ifstream in(posix, std::ios::binary);
  if (posix.empty() || !in) return Fail<HANDLE>(ERROR_FILE_NOT_FOUND, nullptr);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string name = path;
  name = name.substr(name.find_last_of("\\/:") + 1);
  return MakeFromData(icon, name, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), want);
}

}  // namespace

namespace win32 {

Resource DialogResource(int id, const std::string& caption, unsigned style, int cx, int cy,
                        std::vector<ui::ControlTemplate> items, const std::string& font, int pointSize) {
  Resource r;
  r.type = Resource::Type::Dialog;
  r.id = id;
  r.dialog = {id, caption, style, font, pointSize, cx, cy, std::move(items)};
  return r;
}

Resource BitmapResource(int id, const std::string& file) {
  Resource r;
  r.type = Resource::Type::Bitmap;
  r.id = id;
  r.file = file;
  return r;
}

Resource IconResource(int id, const std::string& file) {
  Resource r = BitmapResource(id, file);
  r.type = Resource::Type::Icon;
  return r;
}

ResourceScript::ResourceScript(std::initializer_list<Resource> resources) {
  std::lock_guard guard(resourceLock);
  Scripts().push_back({this, resources});
}

ResourceScript::~ResourceScript() {
  std::lock_guard guard(resourceLock);
  Scripts().remove_if([&](const Script& s) { return s.anchor == this; });
}

EmbeddedFile::EmbeddedFile(const char* name, const unsigned char* data, std::size_t size) {
  std::lock_guard guard(resourceLock);
  Files().push_back({this, name, data, size});
}

EmbeddedFile::~EmbeddedFile() {
  std::lock_guard guard(resourceLock);
  Files().remove_if([&](const Embedded& f) { return f.anchor == this; });
}

}  // namespace win32

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  const int id = NumberOf(lpName), type = NumberOf(lpType);
  if (id < 0 || type < 0) return Fail<HRSRC>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
  const HMODULE module = ModuleOrProgram(hModule);
  std::lock_guard guard(resourceLock);
  for (const Script& s : Scripts()) {
    if (win32::ModuleOfAddress(s.anchor) != module) continue;
    for (const win32::Resource& r : s.resources)
      if (r.id == id && TypeMatches(r, type)) return reinterpret_cast<HRSRC>(const_cast<win32::Resource*>(&r));
  }
  return Fail<HRSRC>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
  std::lock_guard guard(resourceLock);
  return Lookup(hResInfo) ? static_cast<HGLOBAL>(hResInfo) : Fail<HGLOBAL>(ERROR_INVALID_HANDLE, nullptr);
}

// A dialog resource gives its template; a picture the bytes of its file.
LPVOID WINAPI LockResource(HGLOBAL hResData) {
  std::lock_guard guard(resourceLock);
  const win32::Resource* r = Lookup(hResData);
  if (r == nullptr) return nullptr;
  if (r->type == win32::Resource::Type::Dialog) return const_cast<ui::DialogTemplate*>(&r->dialog);
  for (const Embedded& f : Files())
    if (f.name == r->file) return const_cast<unsigned char*>(f.data);
  return nullptr;
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  std::lock_guard guard(resourceLock);
  const win32::Resource* r = Lookup(hResInfo);
  if (r == nullptr) return 0;
  if (r->type == win32::Resource::Type::Dialog) return sizeof(ui::DialogTemplate);
  const Embedded* f = FileOf(ModuleOrProgram(hModule), r->file);
  return f ? static_cast<DWORD>(f->size) : 0;
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  return static_cast<HICON>(LoadFromResource(hInstance, lpIconName, true, 0));
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
  return static_cast<HBITMAP>(LoadFromResource(hInstance, lpBitmapName, false, 0));
}

HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int, UINT fuLoad) {
  if (type != IMAGE_BITMAP && type != IMAGE_ICON) return Fail<HANDLE>(ERROR_INVALID_PARAMETER, nullptr);
  const bool icon = type == IMAGE_ICON;
  const int want = icon && !(fuLoad & LR_DEFAULTSIZE) ? cx : 0;
  return (fuLoad & LR_LOADFROMFILE) ? LoadFromFile(name, icon, want) : LoadFromResource(hInst, name, icon, want);
}
