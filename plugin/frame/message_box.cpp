#include "frame/message_box.h"

#include <adslib.h>

#include "frame/message_catalogue.h"

std::string theMainDialogTitle = "Rasterwerk";
CDialog* CurrentMainDialog = nullptr;

HWND MainDialogWindow() { return CurrentMainDialog ? CurrentMainDialog->GetSafeHwnd() : nullptr; }

int ShowCatalogueMessage(const MessageText& text, UINT type, const std::string& detail) {
  std::string message = theCatalogue.GetCatalogueText(text);
  if (!detail.empty()) message += "\n" + detail;
  return MessageBoxA(MainDialogWindow(), message.c_str(), theMainDialogTitle.c_str(), type);
}

void PrintCatalogueLine(const MessageText& text, const std::string& detail) {
  acutPrintf("%s %s\n", theCatalogue.GetCatalogueText(text).c_str(), detail.c_str());
}
