#pragma once
// Names of commands, LISP functions and modules compare without regard to
// letter case, as the editor does.
#include <string>
#include <string_view>

namespace arx::detail {

std::string upperCase(std::string_view text);
bool sameName(std::string_view a, std::string_view b);
// The file name of a Windows or POSIX path (after the last '\\', '/' or ':').
std::string fileNameOf(std::string_view path);

}  // namespace arx::detail
