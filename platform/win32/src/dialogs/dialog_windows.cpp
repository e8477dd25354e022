// Dialog windows: creation from a template, the modal run, the end, and the
// window functions for dialog handles.
#include <algorithm>
#include <mutex>

#include "../internal.h"
#include "../windowing/window_manager.h"
#include "dialog_windows.h"
#include "ui/driver.h"
#include "win32/dialogs.h"

using win32::detail::Fail;

namespace win32::dialogs {
namespace {

std::mutex tableLock;
std::map<HWND, HandleEntry>& Table() {
  static auto* table = new std::map<HWND, HandleEntry>;
  return *table;
}
std::vector<DialogWindow*>& Running() {
  static auto* running = new std::vector<DialogWindow*>;
  return *running;
}

HWND NewHandle(DialogWindow* dialog, int control) {
  HWND handle;
  {
    std::lock_guard guard(win32::windowing::state().lock);
    handle = reinterpret_cast<HWND>(win32::windowing::newHandleValue());
  }
  std::lock_guard guard(tableLock);
  Table()[handle] = {dialog, control};
  return handle;
}

void Forget(DialogWindow& dialog) {
  std::lock_guard guard(tableLock);
  std::erase_if(Table(), [&](const auto& entry) { return entry.second.dialog == &dialog; });
}

UINT NotificationFor(const ui::Control& c, ui::DialogEventKind kind) {
  using K = ui::DialogEventKind;
  const bool edit = c.kind() == ui::ControlKind::Edit;
  const bool combo = c.kind() == ui::ControlKind::ComboBox;
  switch (kind) {
    case K::TextChanged: return combo ? CBN_EDITCHANGE : EN_CHANGE;
    case K::FocusLost: return edit ? EN_KILLFOCUS : combo ? CBN_KILLFOCUS : BN_KILLFOCUS;
    case K::SelectionChanged: return CBN_SELCHANGE;
    default: return BN_CLICKED;
  }
}

// Statics showing a picture load it from the dialog's module by number.
void LoadStaticPictures(DialogWindow& d) {
  auto& cs = d.model->controls();
  const auto& items = d.model->source().items;
  for (size_t i = 0; i < cs.size(); ++i) {
    if (cs[i].kind() != ui::ControlKind::Static) continue;
    const unsigned kind = cs[i].style & ui::style::kStaticKindMask;
    if (kind != ui::style::kStaticBitmap && kind != ui::style::kStaticIcon) continue;
    const int id = std::atoi(items[i].text.c_str());
    HANDLE image = kind == ui::style::kStaticBitmap
                       ? static_cast<HANDLE>(LoadBitmapA(d.instance, MAKEINTRESOURCE(id)))
                       : static_cast<HANDLE>(LoadIconA(d.instance, MAKEINTRESOURCE(id)));
    if (image == nullptr) {
      ui::driver().record("dialog " + std::to_string(d.model->id()) + ": picture " + items[i].text +
                          " of a static is missing from the module's resources");
      continue;
    }
    d.images[static_cast<int>(i)] = image;
    d.model->setImage(static_cast<int>(i), win32::gdi::PictureOf(image));
  }
}

// The first control that takes the focus and is a tab stop.
int FirstTabStop(const ui::Dialog& model) {
  const auto& cs = model.controls();
  for (size_t i = 0; i < cs.size(); ++i)
    if (cs[i].takesFocus() && (cs[i].style & ui::style::kTabStop) != 0) return static_cast<int>(i);
  return -1;
}

}  // namespace

HandleEntry* Find(HWND window) {
  std::lock_guard guard(tableLock);
  auto it = Table().find(window);
  return it == Table().end() ? nullptr : &it->second;
}

bool Owns(HWND window) { return window != nullptr && Find(window) != nullptr; }

DialogWindow* ActiveDialog() {
  auto& running = Running();
  for (auto it = running.rbegin(); it != running.rend(); ++it)
    if ((*it)->model->visible()) return *it;
  return nullptr;
}

void DialogWindow::onEvent(const ui::DialogEvent& event) {
  using K = ui::DialogEventKind;
  switch (event.kind) {
    case K::Paint: Call(WM_PAINT, 0, 0); return;
    case K::Close: Call(WM_CLOSE, 0, 0); return;
    case K::LeftButtonDown: Call(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(event.x, event.y)); return;
    default: break;
  }
  const int index = model->indexOf(event.control);
  const UINT code = index < 0 ? BN_CLICKED : NotificationFor(model->controls()[index], event.kind);
  HWND control = index < 0 ? nullptr : controls[index];
  Call(WM_COMMAND, MAKEWPARAM(event.control, code), reinterpret_cast<LPARAM>(control));
}

bool DialogWindow::preTranslate(const ui::DialogInput& input) {
  if (!filter) return false;
  const int index = input.control == 0 ? -1 : model->indexOf(input.control);
  MSG msg{};
  msg.hwnd = index < 0 ? handle : controls[index];
  msg.pt = {kDialogClientLeft + input.x, kDialogClientTop + input.y};
  if (input.kind == ui::DialogInput::Kind::MouseDown) {
    const ui::PixelRect at = index < 0 ? ui::PixelRect{} : model->controls()[index].rect;
    msg.message = WM_LBUTTONDOWN;
    msg.wParam = MK_LBUTTON;
    msg.lParam = MAKELPARAM(input.x - at.left, input.y - at.top);
  } else {
    static const std::pair<const char*, WPARAM> keys[] = {
        {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB}, {"Backspace", VK_BACK}, {"Delete", VK_DELETE}};
    msg.message = input.key.size() == 1 ? WM_CHAR : WM_KEYDOWN;
    msg.wParam = input.key.size() == 1 ? static_cast<unsigned char>(input.key[0]) : 0;
    for (const auto& [name, code] : keys)
      if (input.key == name) msg.wParam = code;
  }
  return filter(msg) != FALSE;
}

LRESULT DialogWindow::Call(UINT message, WPARAM wParam, LPARAM lParam) {
  const INT_PTR handled = procedure ? procedure(handle, message, wParam, lParam) : FALSE;
  if (!handled) return DefDlgProcA(handle, message, wParam, lParam);
  return handled;
}

BOOL Show(HWND window, int command) {
  HandleEntry* e = Find(window);
  if (e->control == kTooltip) return FALSE;
  ui::Dialog& model = *e->dialog->model;
  if (e->control >= 0) {
    const BOOL was = model.controls()[e->control].visible;
    model.setVisible(e->control, command != SW_HIDE);
    return was;
  }
  const BOOL was = model.visible();
  model.show(command != SW_HIDE);
  return was;
}

BOOL Visible(HWND window) {
  HandleEntry* e = Find(window);
  if (e->control == kTooltip) return FALSE;
  const ui::Dialog& model = *e->dialog->model;
  return model.visible() && (e->control < 0 || model.controls()[e->control].visible);
}

int GetText(HWND window, LPSTR buffer, int size) {
  HandleEntry* e = Find(window);
  if (e->control == kTooltip) return 0;
  const ui::Dialog& model = *e->dialog->model;
  const std::string& text = e->control < 0 ? model.caption() : model.controls()[e->control].text;
  if (buffer == nullptr || size <= 0) return 0;
  const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::copy_n(text.begin(), n, buffer);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

BOOL Destroy(HWND window) {
  HandleEntry* e = Find(window);
  if (e->control != -1) {
    if (e->control == kTooltip) {
      e->dialog->tooltip = nullptr;
      std::lock_guard guard(tableLock);
      Table().erase(window);
      return TRUE;
    }
    return Fail(ERROR_ACCESS_DENIED, FALSE);  // controls go with their dialog
  }
  DialogWindow* dialog = e->dialog;
  if (dialog->running) {
    dialog->model->end(IDCANCEL);
    return TRUE;  // the modal run ends and destroys it
  }
  dialog->Call(WM_DESTROY, 0, 0);
  Forget(*dialog);
  delete dialog;
  return TRUE;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HandleEntry* e = Find(window);
  DialogWindow& d = *e->dialog;
  if (e->control == kTooltip) return TooltipMessage(d, message, wParam, lParam);
  if (e->control >= 0) return ControlMessage(d, e->control, message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT:
      d.model->setCaption(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
      return TRUE;
    case WM_GETTEXT: return GetText(window, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(d.model->caption().size());
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? d.bigIcon : d.smallIcon);
    case WM_SETICON: {
      HICON icon = reinterpret_cast<HICON>(lParam);
      HICON& slot = wParam == ICON_BIG ? d.bigIcon : d.smallIcon;
      HICON previous = slot;
      slot = icon;
      d.model->setIcon(win32::gdi::PictureOf(icon), wParam == ICON_BIG);
      return reinterpret_cast<LRESULT>(previous);
    }
    default: return d.Call(message, wParam, lParam);
  }
}

HWND CreateTooltip(HWND parent) {
  HandleEntry* e = Find(parent);
  if (e == nullptr || e->control != -1) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  DialogWindow* d = e->dialog;
  if (d->tooltip != nullptr) Destroy(d->tooltip);
  d->tooltip = NewHandle(d, kTooltip);
  return d->tooltip;
}

std::string TitleOf(HWND window) {
  if (window == nullptr) return "";
  if (Owns(window)) {
    char text[1024];
    GetText(window, text, sizeof text);
    return text;
  }
  char text[1024] = "";
  if (GetWindowTextA(window, text, sizeof text) == 0 && !IsWindow(window)) return "window";
  return text;
}

}  // namespace win32::dialogs

using namespace win32::dialogs;

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (lpTemplate == nullptr) return Fail<HWND>(ERROR_INVALID_PARAMETER, nullptr);
  auto* d = new DialogWindow;
  d->model = std::make_unique<ui::Dialog>(*lpTemplate);
  d->instance = hInstance;
  d->owner = hWndParent;
  d->procedure = lpDialogFunc;
  d->handle = NewHandle(d, -1);
  for (size_t i = 0; i < d->model->controls().size(); ++i)
    d->controls.push_back(NewHandle(d, static_cast<int>(i)));
  LoadStaticPictures(*d);
  d->model->setListener(d);
  INT_PTR focusDefault = TRUE;
  try {
    if (d->procedure) focusDefault = d->procedure(d->handle, WM_INITDIALOG, 0, dwInitParam);
  } catch (...) {
    if (Owns(d->handle)) Destroy(d->handle);
    throw;
  }
  if (!Owns(d->handle)) return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);  // destroyed while starting
  if (focusDefault && d->model->focus() < 0) d->model->setFocus(FirstTabStop(*d->model));
  return d->handle;
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  HWND dialog = CreateDialogIndirectParamA(hInstance, hDialogTemplate, hWndParent, lpDialogFunc, dwInitParam);
  return dialog ? win32::RunModalDialog(dialog) : -1;
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam) {
  HRSRC resource = FindResourceA(hInstance, lpTemplateName, RT_DIALOG);
  if (resource == nullptr) return -1;
  auto* source = static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(hInstance, resource)));
  return DialogBoxIndirectParamA(hInstance, source, hWndParent, lpDialogFunc, dwInitParam);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  HandleEntry* e = Find(hDlg);
  if (e == nullptr || e->control != -1) return Fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  e->dialog->model->end(static_cast<int>(nResult));
  return TRUE;
}

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM, LPARAM) {
  HandleEntry* e = Find(hDlg);
  if (e == nullptr || e->control != -1) return 0;
  if (Msg == WM_CLOSE) e->dialog->Call(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return 0;
}

namespace win32 {

INT_PTR RunModalDialog(HWND dialog, std::function<BOOL(MSG&)> filter) {
  HandleEntry* e = Find(dialog);
  if (e == nullptr || e->control != -1 || e->dialog->running) return Fail<INT_PTR>(ERROR_INVALID_WINDOW_HANDLE, -1);
  DialogWindow* d = e->dialog;
  d->filter = std::move(filter);
  d->running = true;
  Running().push_back(d);
  const bool ownerWasEnabled = d->owner != nullptr && IsWindowEnabled(d->owner);
  if (ownerWasEnabled) EnableWindow(d->owner, FALSE);
  // Whichever way the run ends: the owner enabled again, the dialog destroyed.
  struct Finish {
    DialogWindow* d;
    HWND dialog;
    bool enableOwner;
    ~Finish() {
      if (enableOwner) EnableWindow(d->owner, TRUE);
      std::erase(Running(), d);
      d->running = false;
      Destroy(dialog);
    }
  } finish{d, dialog, ownerWasEnabled};
  return d->model->ended() ? d->model->result() : d->model->runModal();
}

ui::Dialog* DialogModel(HWND window) {
  HandleEntry* e = Find(window);
  return e == nullptr ? nullptr : e->dialog->model.get();
}

}  // namespace win32
