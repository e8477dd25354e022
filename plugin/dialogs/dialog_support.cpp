#include "dialogs/dialog_support.h"

#include "frame/message_catalogue.h"
#include "frame/help.h"
#include "frame/message_box.h"
#include "settings/plugin_app.h"
#include "settings/plugin_settings.h"

void SetCatalogueTexts(CWnd& dialog, const MessageText& title, std::initializer_list<ControlText> controls) {
  dialog.SetWindowText(theCatalogue.GetCatalogueText(title).c_str());
  for (const ControlText& control : controls) {
    dialog.SetDlgItemText(control.id, theCatalogue.GetCatalogueText(control.text).c_str());
  }
}

void SetDialogIcon(CWnd& dialog) { dialog.SetIcon(theApp.LoadIcon(kDialogIconId), TRUE); }

void ShowOwnedMessage(CWnd& owner, const MessageText& text) {
  MessageBoxA(owner.GetSafeHwnd(), theCatalogue.GetCatalogueText(text).c_str(), theMainDialogTitle.c_str(),
              MB_OK);
}

void ShowDialogHelp(const char* topic) {
  ShowHelpTopic(theApp, theSettings.helpFolder, theSettings.helpFileName, topic);
}
