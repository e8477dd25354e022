#pragma once
// The transcript's wording: one event per header line, with its answer at the
// end after "->", and indented "  | " lines for multi-line texts.
#include <string>
#include <vector>

#include "ui/driver.h"

namespace ui::transcript {

// A value in double quotes; a quote inside is doubled, control characters are
// written as \n, \r, \t or \xNN.
std::string quoted(const std::string& value);

// The buttons of a message box of MB_* `type`, in the order shown.
std::vector<int> buttonsOf(unsigned type);
// What a box answers when the script has no answer for it: Cancel when it has
// one, otherwise the safe choice (No, Abort), OK when it has only OK.
int defaultButton(unsigned type);

std::string messageBox(const MessageBoxRequest& r, const std::string& answer);
std::string fileDialog(const FileDialogRequest& r, const std::string& answer);
std::string pick(const std::string& prompt, const std::string& answer);
// Text lines as an indented block under a header line.
std::string block(const std::string& header, const std::string& text);

}  // namespace ui::transcript
