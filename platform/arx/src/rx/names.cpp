#include "rx/names.h"

namespace arx::detail {

std::string upperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool sameName(std::string_view a, std::string_view b) { return upperCase(a) == upperCase(b); }

std::string fileNameOf(std::string_view path) {
  const auto cut = path.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

}  // namespace arx::detail
