#pragma once
// Automation strings (UTF-16) as UTF-8, for the stand-ins' own use.
#include <string>

#include <objbase.h>

namespace com {

// Null gives ""; a lone surrogate becomes '?'.
std::string Utf8FromOle(const OLECHAR* text);

}  // namespace com
