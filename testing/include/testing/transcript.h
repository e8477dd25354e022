#pragma once
// Reading transcripts in tests (the format: docs/answers.md, docs/dialogs.md).
#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace rwtest {

// The block that starts at the `nth` occurrence (0 first) of `header`: from
// the header to the end of its line, with the indented lines after it; ""
// when there is no such occurrence.
std::string block(const std::string& transcript, const std::string& header, int nth = 0);
// The same for the last occurrence.
std::string lastBlock(const std::string& transcript, const std::string& header);
// The line of a dialog or form block that shows `control` (its id or name,
// the line's second word), without its indent; "" when there is none.
std::string controlLine(const std::string& block, const std::string& control);
// The command-line lines ("cmdline | ...") of a transcript, each ending with
// its line end.
std::string commandLines(const std::string& transcript);
// A message box as the transcript shows it: its line and its text's lines.
std::string messageBoxEntry(const std::string& text, const std::string& buttons, const std::string& icon,
                            const std::string& answer, const std::string& caption = "Rasterwerk",
                            const std::string& owner = "Rasterwerk");
// How often `what` stands in `text` (occurrences may overlap).
int count(const std::string& text, const std::string& what);

// Matches a text that holds `parts` in this order, each after the end of the
// one before.
::testing::Matcher<const std::string&> HasSubstrsInOrder(std::vector<std::string> parts);

}  // namespace rwtest
