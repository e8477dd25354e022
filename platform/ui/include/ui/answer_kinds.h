#pragma once
// The kinds of answer an answers file may hold (a line's first word) and the
// rule that checks each kind's words. The UI driver owns the kinds of its own
// requests: msgbox, file, pick, dialog and form. A component that asks the
// driver for answers of a kind of its own (Driver::take) owns that kind and
// registers it; a program knows the kinds of the components whose answer
// kinds it links, from its start, so that a malformed line of any kind it
// knows stops the run before anything runs (docs/answers.md).
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

struct AnswerKind {
  std::string name;  // lower case
  // Empty when the words after the kind are well formed, else what is wrong
  // with them ("expects done").
  std::function<std::string(const std::vector<std::string>& words)> check;
  // The words are read in any letter case (and kept in lower case).
  bool anyCase = false;
};

// Registers a kind; a name registered again takes the later rule.
void registerAnswerKind(AnswerKind kind);
std::optional<AnswerKind> findAnswerKind(const std::string& name);
// Every kind's name, sorted.
std::vector<std::string> answerKindNames();

// Registers a kind as the program starts: an object of this type at
// namespace scope in the owner's answer-kind library, which programs link
// (never a module that may be unloaded: the rule's code must stay).
struct AnswerKindRegistration {
  explicit AnswerKindRegistration(AnswerKind kind) { registerAnswerKind(std::move(kind)); }
};

}  // namespace ui
