#pragma once
// Automation strings (UTF-16) as UTF-8.
#include <string>

#include "acadi.h"

namespace arx::bstr {

std::string toUtf8(const OLECHAR* text);  // null: empty

}  // namespace arx::bstr
