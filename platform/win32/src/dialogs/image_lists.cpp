// Image lists and the common controls' start.
#include <commctrl.h>

#include <map>
#include <mutex>

#include "../internal.h"
#include "dialog_windows.h"

using win32::detail::Fail;

struct _IMAGELIST {
  int cx, cy;
  UINT flags;
  int room, grow;
  std::vector<ui::Picture> pictures;
};

namespace {

std::mutex listLock;
std::map<HIMAGELIST, std::unique_ptr<_IMAGELIST>>& Lists() {
  static auto* lists = new std::map<HIMAGELIST, std::unique_ptr<_IMAGELIST>>;
  return *lists;
}

// The list behind a handle (lock held).
_IMAGELIST* Lookup(HIMAGELIST list) {
  auto it = Lists().find(list);
  return it == Lists().end() ? nullptr : it->second.get();
}

int Append(HIMAGELIST handle, const ui::Picture& picture, int at) {
  std::lock_guard guard(listLock);
  _IMAGELIST* list = Lookup(handle);
  if (list == nullptr || picture.empty()) return -1;
  const int count = static_cast<int>(list->pictures.size());
  if (at >= 0) {
    if (at >= count) return -1;
    list->pictures[at] = {picture.name, list->cx, list->cy, picture.data};
    return at;
  }
  if (count >= list->room) {
    if (list->grow <= 0) return -1;
    list->room += list->grow;
  }
  list->pictures.push_back({picture.name, list->cx, list->cy, picture.data});
  return count;
}

}  // namespace

namespace win32::imagelists {

std::vector<ui::Picture> PicturesOf(HIMAGELIST list) {
  std::lock_guard guard(listLock);
  _IMAGELIST* l = Lookup(list);
  return l ? l->pictures : std::vector<ui::Picture>{};
}

bool IsImageList(HIMAGELIST list) {
  std::lock_guard guard(listLock);
  return Lookup(list) != nullptr;
}

}  // namespace win32::imagelists

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
  if (cx <= 0 || cy <= 0 || cInitial < 0) return Fail<HIMAGELIST>(ERROR_INVALID_PARAMETER, nullptr);
  auto list = std::make_unique<_IMAGELIST>(_IMAGELIST{cx, cy, flags, cInitial, cGrow, {}});
  HIMAGELIST handle = list.get();
  std::lock_guard guard(listLock);
  Lists()[handle] = std::move(list);
  return handle;
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
  std::lock_guard guard(listLock);
  return Lists().erase(himl) ? TRUE : FALSE;
}

int WINAPI ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
  return Append(himl, win32::gdi::PictureOf(hicon), i);
}

int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP) {
  return Append(himl, win32::gdi::PictureOf(hbmImage), -1);
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
  std::lock_guard guard(listLock);
  _IMAGELIST* list = Lookup(himl);
  return list ? static_cast<int>(list->pictures.size()) : 0;
}

void WINAPI InitCommonControls() {}
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) { return picce != nullptr; }
