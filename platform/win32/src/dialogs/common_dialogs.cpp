// The common file dialogs, answered by the UI driver.
#include <commdlg.h>

#include <cstring>
#include <ui/driver.h>

#include "dialog_windows.h"

namespace {

thread_local DWORD lastDialogError = 0;

BOOL DialogError(DWORD code) {
  lastDialogError = code;
  return FALSE;
}

// "Description\0pattern\0...\0\0" as "Description|pattern|...|".
std::string FilterText(LPCSTR filter) {
  std::string out;
  for (LPCSTR p = filter; p && *p; p += std::strlen(p) + 1) out += std::string(p) + "|";
  return out;
}

bool HasExtension(const std::string& path) {
  const size_t name = path.find_last_of("\\/:");
  const size_t dot = path.rfind('.');
  return dot != std::string::npos && (name == std::string::npos || dot > name);
}

BOOL RunFileDialog(LPOPENFILENAMEA ofn, bool open) {
  lastDialogError = 0;
  if (ofn == nullptr) return DialogError(CDERR_INITIALIZATION);
  if (ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A && ofn->lStructSize != sizeof(OPENFILENAMEA) &&
      ofn->lStructSize != 76)
    return DialogError(CDERR_STRUCTSIZE);
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) return DialogError(CDERR_INITIALIZATION);
  ui::FileDialogRequest request;
  request.open = open;
  request.title = ofn->lpstrTitle ? ofn->lpstrTitle : "";
  request.filter = FilterText(ofn->lpstrFilter);
  request.defaultExtension = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
  request.initialName = ofn->lpstrFile;
  request.flags = ofn->Flags;
  request.owner = win32::dialogs::TitleOf(ofn->hwndOwner);
  std::optional<std::string> chosen = ui::driver().fileDialog(request);
  if (!chosen) return FALSE;
  std::string path = *chosen;
  if (!HasExtension(path) && !request.defaultExtension.empty()) path += "." + request.defaultExtension;
  if (path.size() + 1 > ofn->nMaxFile) return DialogError(FNERR_BUFFERTOOSMALL);
  std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
  const size_t name = path.find_last_of("\\/:");
  const size_t offset = name == std::string::npos ? 0 : name + 1;
  const size_t dot = path.rfind('.');
  ofn->nFileOffset = static_cast<WORD>(offset);
  ofn->nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= offset ? dot + 1 : path.size());
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
    const std::string title = path.substr(offset).substr(0, ofn->nMaxFileTitle - 1);
    std::memcpy(ofn->lpstrFileTitle, title.c_str(), title.size() + 1);
  }
  return TRUE;
}

}  // namespace

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn) { return RunFileDialog(lpofn, true); }
BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn) { return RunFileDialog(lpofn, false); }
DWORD WINAPI CommDlgExtendedError() { return lastDialogError; }
