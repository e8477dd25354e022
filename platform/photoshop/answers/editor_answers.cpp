#include "editor_answers.h"

#include <string>
#include <vector>

#include "ui/answer_kinds.h"

namespace photoshop {
namespace {

std::string CheckEditor(const std::vector<std::string>& words) {
  return words.size() == 1 && words[0] == "done" ? "" : "expects done";
}

const ui::AnswerKindRegistration kEditor({kEditorAnswer, CheckEditor, true});

}  // namespace
}  // namespace photoshop
