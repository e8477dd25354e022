#include "photoshop/photoshop_messages.h"

#include <windows.h>

#include "frame/message_catalogue.h"
#include "settings/plugin_settings.h"

namespace {

// The main dialog's window, when one is open.
HWND MessageOwner() {
  return nullptr;  // the main dialog does not exist yet
}

}  // namespace

void ShowPhotoshopMessage(const MessageText& text) {
  MessageBoxA(MessageOwner(), theCatalogue.GetCatalogueText(text).c_str(), theSettings.mainDialogTitle.c_str(),
              MB_OK);
}
