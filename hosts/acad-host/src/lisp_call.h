#pragma once
// Script lines such as (C:TAVO_IMGEDIT) or (tavo_getUserIniPath "TAVO_IMGCREATE"):
// a function name and simple arguments (strings, integers, reals, nil, T).
#include <string>

#include "adslib.h"

namespace acadhost {

bool isLispCall(const std::string& line);
// The call as a result-buffer list (name first), or nullptr after writing
// why the line is not a call to `error`. Release it with acutRelRb.
resbuf* parseLispCall(const std::string& line, std::string& error);
// A value as the LISP prompt shows it: "text", 12, 1.5, nil, T, (1 2).
std::string formatLispValue(const resbuf* value);

}  // namespace acadhost
