#include "frame/message_catalogue.h"

#include "frame/profile_file.h"

MessageCatalogue theCatalogue;

namespace {
constexpr const char* kSectionNames[] = {
    "",
    "SETTINGS_TITLE",
    "SETTINGS_GROUP",
    "SETTINGS_GROUP_PLOTTER",
    "SETTINGS_GROUP_IMAGE",
    "SETTINGS_GROUP_GRAPHIC",
    "SETTINGS_BUTTON",
    "SETTINGS_MSG",
    "SETTINGS_TOOLTIPS",
};
}  // namespace

const char* MessageSectionName(int section) {
  return section >= 0 && section <= kMessageSectionCount ? kSectionNames[section] : "";
}

void MessageCatalogue::Open(CWinApp& app, const std::string& path) {
  m_app = &app;
  m_filePath = path;
}

std::string MessageCatalogue::GetCatalogueText(int section, const char* key, const char* defaultText) const {
  const char* fallback = defaultText ? defaultText : "";
  // Used before the module opened it, or a section that names none.
  if (m_app == nullptr || section < 1 || section > kMessageSectionCount) return fallback;
  BorrowedProfileFile profile(*m_app, m_filePath, m_app->m_pszProfileName);
  return m_app->GetProfileString(MessageSectionName(section), key, fallback);
}
