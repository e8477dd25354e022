#pragma once
// Lookup of the texts shown to the user in "Rasterwerk.msg" beside the module.
#include <afxwin.h>

#include <string>

#include "frame/message_table.h"

class MessageCatalogue {
 public:
  // Remembers the application whose profile file name each lookup borrows and
  // the message file; the file is read by each lookup, never here.
  void Open(CWinApp& app, const std::string& path);

  // The text of `key` in the section with index `section`, or `defaultText`
  // when the file, the section or the key is missing. Reads the file anew
  // every time, so an edited file takes effect at once.
  std::string GetCatalogueText(int section, const char* key, const char* defaultText) const;
  std::string GetCatalogueText(const MessageText& text) const {
    return GetCatalogueText(text.section, text.key, text.defaultText);
  }

 private:
  std::string m_filePath;
  CWinApp* m_app = nullptr;
};

extern MessageCatalogue theCatalogue;
