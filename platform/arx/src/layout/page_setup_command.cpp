#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "arx/pagesetup.h"
#include "dbmain.h"
#include "page_setup_values.h"

namespace arx {
namespace {

using Setting = std::pair<std::string, std::string>;

// key=value words; a value in double quotes may hold blanks ("" is one quote).
bool parseSettings(const std::string& text, std::vector<Setting>& settings, std::string& error) {
  size_t i = 0;
  auto blank = [&] { return i < text.size() && std::isspace(static_cast<unsigned char>(text[i])); };
  while (true) {
    while (blank()) ++i;
    if (i == text.size()) return true;
    const size_t equals = text.find('=', i);
    const size_t space = std::find_if(text.begin() + i, text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); }) - text.begin();
    if (equals == std::string::npos || equals > space || equals == i) {
      error = "key=value words are expected, not \"" + text.substr(i, space - i) + "\"";
      return false;
    }
    Setting setting{text.substr(i, equals - i), ""};
    std::transform(setting.first.begin(), setting.first.end(), setting.first.begin(), ::tolower);
    i = equals + 1;
    if (i < text.size() && text[i] == '"') {
      for (++i;; ++i) {
        if (i >= text.size()) {
          error = "a quoted value is not closed";
          return false;
        }
        if (text[i] == '"' && !(i + 1 < text.size() && text[i + 1] == '"')) break;
        if (text[i] == '"') ++i;
        setting.second += text[i];
      }
      ++i;
    } else {
      while (i < text.size() && !blank()) setting.second += text[i++];
    }
    settings.push_back(std::move(setting));
  }
}

// The device decides which media exist, so it is set first.
int order(const Setting& setting) {
  static const std::vector<std::string> keys{"device", "media", "type", "window"};
  return static_cast<int>(std::find(keys.begin(), keys.end(), setting.first) - keys.begin());
}

}  // namespace

bool runPageSetupCommand(const std::string& arguments, std::string& error) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (!db) {
    error = "no drawing is open";
    return false;
  }
  std::vector<Setting> settings;
  if (!parseSettings(arguments, settings, error)) return false;
  std::stable_sort(settings.begin(), settings.end(), [](const Setting& a, const Setting& b) { return order(a) < order(b); });
  PageSetup draft = pageSetup(*db);
  for (const Setting& setting : settings) {
    if (!layout::applyPageSetupValue(draft, setting.first, setting.second, error)) return false;
  }
  pageSetup(*db) = draft;
  return true;
}

}  // namespace arx
