#pragma once
// Reading the answers file: lines into words, words checked per kind.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/scripted_driver.h"

namespace ui::answers {

// Splits one line into words: blanks separate, a word in double quotes may
// hold blanks, and "" inside quotes is one quote. Throws std::invalid_argument
// on an unterminated quote.
std::vector<std::string> splitWords(const std::string& line);

// A word as splitWords reads it back: quoted when it holds blanks or quotes
// or is empty.
std::string quoteWord(const std::string& word);
std::string joinWords(const std::vector<std::string>& words);

// All answers of a file's text; throws AnswersError naming `source` and the
// line of the first malformed answer.
std::deque<Answer> parse(const std::string& text, const std::string& source);

// Message-box answers by name ("ok", "yes", ...) and back.
std::optional<int> buttonByName(const std::string& name);
std::string buttonName(int id);

}  // namespace ui::answers
