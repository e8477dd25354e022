#include "frame/message_box.h"

#include <adslib.h>

#include "frame/commands.h"
#include "frame/message_catalogue.h"
#include "frame/plugin_app.h"
#include "settings/plugin_settings.h"

int ShowCatalogueMessage(const MessageText& text, UINT type, const std::string& detail) {
  std::string message = theCatalogue.GetCatalogueText(text);
  if (!detail.empty()) message += "\n" + detail;
  theApp.m_messageText = message;
  return MessageBoxA(MainDialogWindow(), message.c_str(), theSettings.mainDialogTitle.c_str(), type);
}

void PrintCatalogueLine(const MessageText& text, const std::string& detail) {
  acutPrintf("%s %s\n", theCatalogue.GetCatalogueText(text).c_str(), detail.c_str());
}
