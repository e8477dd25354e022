// Messages to the controls of a dialog and to its tooltip window.
#include <algorithm>
#include <cctype>

#include "dialog_windows.h"

namespace win32::dialogs {
namespace {

LPCSTR TextArg(LPARAM lParam) { return lParam ? reinterpret_cast<LPCSTR>(lParam) : ""; }

LRESULT CopyText(const std::string& text, LPSTR buffer, size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  const size_t n = std::min(text.size(), size - 1);
  std::copy_n(text.begin(), n, buffer);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

LRESULT SetImage(DialogWindow& d, int index, WPARAM type, LPARAM lParam) {
  HANDLE image = reinterpret_cast<HANDLE>(lParam);
  const bool fits = image == nullptr || (type == IMAGE_BITMAP ? win32::gdi::IsBitmap(image)
                                                              : type == IMAGE_ICON && win32::gdi::IsIcon(image));
  if (!fits) return 0;
  HANDLE previous = d.images.count(index) ? d.images[index] : nullptr;
  d.images[index] = image;
  d.model->setImage(index, win32::gdi::PictureOf(image));
  return reinterpret_cast<LRESULT>(previous);
}

LRESULT ComboMessage(DialogWindow& d, int index, UINT message, WPARAM wParam, LPARAM lParam) {
  ui::Dialog& m = *d.model;
  ui::Control& c = m.controls()[index];
  const int count = static_cast<int>(c.items.size());
  const int at = static_cast<int>(static_cast<INT_PTR>(wParam));
  switch (message) {
    case CB_ADDSTRING: return m.addItem(index, {TextArg(lParam)});
    case CB_INSERTSTRING: {
      const int position = m.insertItem(index, at, {TextArg(lParam)});
      return position < 0 ? CB_ERR : position;
    }
    case CB_DELETESTRING:
      if (at < 0 || at >= count) return CB_ERR;
      c.items.erase(c.items.begin() + at);
      if (c.selection == at) m.setSelection(index, -1);
      else if (c.selection > at) --c.selection;
      return count - 1;
    case CB_GETCOUNT: return count;
    case CB_GETCURSEL: return c.selection;
    case CB_SETCURSEL: return m.setSelection(index, at) && at >= 0 ? at : CB_ERR;
    case CB_GETLBTEXT:
      if (at < 0 || at >= count) return CB_ERR;
      return CopyText(c.items[at].text, reinterpret_cast<LPSTR>(lParam), c.items[at].text.size() + 1);
    case CB_GETLBTEXTLEN: return at < 0 || at >= count ? CB_ERR : static_cast<LRESULT>(c.items[at].text.size());
    case CB_RESETCONTENT: m.clearItems(index); return 0;
    case CB_FINDSTRINGEXACT:
      for (int step = 1; step <= count; ++step) {
        const int i = (at + step) % count;  // after the start, wrapping around
        if (EqualNoCase(c.items[i].text, TextArg(lParam))) return i;
      }
      return CB_ERR;
    default: return 0;
  }
}

LRESULT ComboExMessage(DialogWindow& d, int index, UINT message, WPARAM, LPARAM lParam) {
  ui::Dialog& m = *d.model;
  ui::Control& c = m.controls()[index];
  switch (message) {
    case CBEM_INSERTITEMA: {
      const auto* item = reinterpret_cast<const COMBOBOXEXITEMA*>(lParam);
      if (item == nullptr) return -1;
      ui::ComboItem entry;
      if ((item->mask & CBEIF_TEXT) && item->pszText) entry.text = item->pszText;
      if (item->mask & CBEIF_IMAGE) entry.image = item->iImage;
      if (item->mask & CBEIF_SELECTEDIMAGE) entry.selectedImage = item->iSelectedImage;
      return m.insertItem(index, static_cast<int>(item->iItem), entry);
    }
    case CBEM_GETITEMA: {
      auto* item = reinterpret_cast<COMBOBOXEXITEMA*>(lParam);
      if (item == nullptr) return FALSE;
      const int at = item->iItem == -1 ? c.selection : static_cast<int>(item->iItem);
      if (at < 0 || at >= static_cast<int>(c.items.size())) return FALSE;
      if (item->mask & CBEIF_TEXT) CopyText(c.items[at].text, item->pszText, item->cchTextMax);
      if (item->mask & CBEIF_IMAGE) item->iImage = c.items[at].image;
      if (item->mask & CBEIF_SELECTEDIMAGE) item->iSelectedImage = c.items[at].selectedImage;
      return TRUE;
    }
    case CBEM_SETIMAGELIST: {
      auto list = reinterpret_cast<HIMAGELIST>(lParam);
      HIMAGELIST previous = d.imageLists.count(index) ? d.imageLists[index] : nullptr;
      d.imageLists[index] = list;
      m.setImageList(index, win32::imagelists::PicturesOf(list));
      return reinterpret_cast<LRESULT>(previous);
    }
    case CBEM_GETIMAGELIST: return reinterpret_cast<LRESULT>(d.imageLists.count(index) ? d.imageLists[index] : nullptr);
    default: return 0;
  }
}

}  // namespace

LRESULT ControlMessage(DialogWindow& d, int index, UINT message, WPARAM wParam, LPARAM lParam) {
  ui::Dialog& m = *d.model;
  ui::Control& c = m.controls()[index];
  switch (message) {
    case WM_SETTEXT: m.setText(index, TextArg(lParam)); return TRUE;
    case WM_GETTEXT: return CopyText(c.text, reinterpret_cast<LPSTR>(lParam), wParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(c.text.size());
    case BM_GETCHECK: return c.checked;
    case BM_SETCHECK: m.setChecked(index, static_cast<int>(wParam)); return 0;
    case BM_SETIMAGE:
    case STM_SETIMAGE: return SetImage(d, index, wParam, lParam);
    case BM_GETIMAGE:
    case STM_GETIMAGE: return reinterpret_cast<LRESULT>(d.images.count(index) ? d.images[index] : nullptr);
    case EM_SETREADONLY: m.setReadOnly(index, wParam != 0); return TRUE;
    case EM_LIMITTEXT: return 0;
    default: break;
  }
  if (message >= CB_ADDSTRING && message <= CB_FINDSTRINGEXACT) return ComboMessage(d, index, message, wParam, lParam);
  if (message >= CBEM_INSERTITEMA && message <= CBEM_GETITEMA) return ComboExMessage(d, index, message, wParam, lParam);
  return 0;
}

LRESULT TooltipMessage(DialogWindow& d, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TTM_ACTIVATE: d.tooltipActive = wParam != 0; return 0;
    case TTM_RELAYEVENT: ++d.relayedToTooltip; return 0;
    case TTM_ADDTOOLA: {
      const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
      if (info == nullptr || !(info->uFlags & TTF_IDISHWND)) return FALSE;
      HandleEntry* tool = Find(reinterpret_cast<HWND>(info->uId));
      if (tool == nullptr || tool->dialog != &d || tool->control < 0) return FALSE;
      d.model->setTooltip(tool->control, info->lpszText ? info->lpszText : "");
      return TRUE;
    }
    case TTM_GETTOOLCOUNT: {
      const auto& cs = d.model->controls();
      return std::count_if(cs.begin(), cs.end(), [](const ui::Control& c) { return !c.tooltip.empty(); });
    }
    default: return 0;
  }
}

}  // namespace win32::dialogs
