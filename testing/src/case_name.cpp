#include "testing/case_name.h"

namespace rwtest {

std::string testName(std::string_view text) {
  std::string name(text);
  for (char& c : name)
    if (!(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9')) c = '_';
  return name;
}

}  // namespace rwtest
