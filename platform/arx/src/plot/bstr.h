#pragma once
// Conversions between automation strings (UTF-16) and UTF-8.
#include <string>

#include "acadi.h"

namespace arx::bstr {

std::string toUtf8(const OLECHAR* text);  // null: empty
std::u16string fromUtf8(const std::string& text);

}  // namespace arx::bstr
