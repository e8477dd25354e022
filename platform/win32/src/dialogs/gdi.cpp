// GDI objects (brushes, bitmaps, icons, paint device contexts), painting
// into dialogs, and rectangle helpers.
#include <map>
#include <mutex>

#include "../internal.h"
#include "dialog_windows.h"
#include "win32/dialogs.h"

using win32::detail::Fail;

namespace {

struct GdiObject {
  enum class Kind { Brush, Bitmap, Icon, PaintDC } kind;
  COLORREF colour = 0;
  ui::Picture picture;
  int bitsPerPixel = 0;
  HWND window = nullptr;  // PaintDC
};

std::mutex gdiLock;
std::map<void*, GdiObject>& Objects() {
  static auto* objects = new std::map<void*, GdiObject>;
  return *objects;
}
UINT_PTR nextHandle = 0x30000;

void* Add(GdiObject object) {
  std::lock_guard guard(gdiLock);
  void* handle = reinterpret_cast<void*>(nextHandle += 4);
  Objects().emplace(handle, std::move(object));
  return handle;
}

// A copy of the object behind `handle` when it is of `kind`.
bool Get(const void* handle, GdiObject::Kind kind, GdiObject& out) {
  std::lock_guard guard(gdiLock);
  auto it = Objects().find(const_cast<void*>(handle));
  if (it == Objects().end() || it->second.kind != kind) return false;
  out = it->second;
  return true;
}

bool Remove(const void* handle, GdiObject::Kind kind) {
  std::lock_guard guard(gdiLock);
  auto it = Objects().find(const_cast<void*>(handle));
  if (it == Objects().end() || it->second.kind != kind) return false;
  Objects().erase(it);
  return true;
}

}  // namespace

namespace win32::gdi {

ui::Picture PictureOf(HANDLE image) {
  GdiObject o;
  if (Get(image, GdiObject::Kind::Bitmap, o) || Get(image, GdiObject::Kind::Icon, o)) return o.picture;
  return {};
}

bool IsBitmap(HANDLE image) {
  GdiObject o;
  return Get(image, GdiObject::Kind::Bitmap, o);
}

bool IsIcon(HANDLE image) {
  GdiObject o;
  return Get(image, GdiObject::Kind::Icon, o);
}

HANDLE MakeImage(bool icon, const ui::Picture& picture, int bitsPerPixel) {
  return Add({icon ? GdiObject::Kind::Icon : GdiObject::Kind::Bitmap, 0, picture, bitsPerPixel, nullptr});
}

}  // namespace win32::gdi

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  return static_cast<HBRUSH>(Add({GdiObject::Kind::Brush, color & 0x00FFFFFFu, {}, 0, nullptr}));
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  return Remove(ho, GdiObject::Kind::Brush) || Remove(ho, GdiObject::Kind::Bitmap);
}

BOOL WINAPI DestroyIcon(HICON hIcon) { return Remove(hIcon, GdiObject::Kind::Icon) ? TRUE : Fail(ERROR_INVALID_HANDLE, FALSE); }

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
  GdiObject o;
  if (!Get(h, GdiObject::Kind::Bitmap, o)) return 0;
  if (pv == nullptr) return sizeof(BITMAP);
  if (c < static_cast<int>(sizeof(BITMAP))) return 0;
  auto* bitmap = static_cast<BITMAP*>(pv);
  *bitmap = {0, o.picture.width, o.picture.height, ((o.picture.width * o.bitsPerPixel + 15) / 16) * 2, 1,
             static_cast<WORD>(o.bitsPerPixel), nullptr};
  return sizeof(BITMAP);
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  win32::dialogs::HandleEntry* e = win32::dialogs::Find(hWnd);
  if (lpPaint == nullptr || e == nullptr || e->control != -1) return Fail<HDC>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  e->dialog->model->beginPaint();
  *lpPaint = {};
  const ui::PixelRect r = e->dialog->model->clientRect();
  lpPaint->rcPaint = {0, 0, r.width(), r.height()};
  lpPaint->fErase = TRUE;
  lpPaint->hdc = static_cast<HDC>(Add({GdiObject::Kind::PaintDC, 0, {}, 0, hWnd}));
  return lpPaint->hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
  return lpPaint != nullptr && Remove(lpPaint->hdc, GdiObject::Kind::PaintDC);
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  GdiObject dc, brush;
  if (lprc == nullptr || !Get(hDC, GdiObject::Kind::PaintDC, dc) || !Get(hbr, GdiObject::Kind::Brush, brush)) return 0;
  ui::Dialog* model = win32::DialogModel(dc.window);
  if (model == nullptr) return 0;
  model->addFill({{lprc->left, lprc->top, lprc->right, lprc->bottom}, brush.colour});
  return 1;
}

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (lprc == nullptr) return FALSE;
  *lprc = {xLeft, yTop, xRight, yBottom};
  return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
  if (lprc == nullptr) return FALSE;
  lprc->left += dx, lprc->right += dx, lprc->top += dy, lprc->bottom += dy;
  return TRUE;
}

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
  return lprc != nullptr && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

// The product over the denominator, rounded half away from zero; -1 when the
// denominator is 0 or the result does not fit.
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  long long product = static_cast<long long>(nNumber) * nNumerator;
  long long denominator = nDenominator;
  if (denominator < 0) product = -product, denominator = -denominator;
  const long long half = denominator / 2;
  const long long result = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
  return result > 0x7FFFFFFF || result < -0x7FFFFFFFLL - 1 ? -1 : static_cast<int>(result);
}
