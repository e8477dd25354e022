#pragma once
// Wording shared by everything that writes windows into the transcript
// (dialogs here, forms of the form toolkit).
#include <string>

namespace ui {

// A value in double quotes; a quote inside is doubled, control characters are
// written as \n, \r, \t or \xNN.
std::string quoted(const std::string& value);

}  // namespace ui
