#include "ui/describe.h"

#include <cstdio>

namespace ui {

std::string quoted(const std::string& value) {
  std::string out = "\"";
  for (unsigned char c : value) {
    if (c == '"') out += "\"\"";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c < 0x20 || c == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
      out += buffer;
    } else out += static_cast<char>(c);
  }
  return out + "\"";
}

}  // namespace ui
