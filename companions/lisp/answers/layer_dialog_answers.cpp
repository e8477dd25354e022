#include "layer_dialog_answers.h"

#include <string>
#include <vector>

#include "ui/answer_kinds.h"

namespace companion {
namespace {

std::string CheckLayerDialog(const std::vector<std::string>& words) {
  const bool cancelled = words.size() == 1 && words[0] == "cancel";
  return cancelled || words.size() == 2 ? "" : "expects KEY NAME or cancel";
}

const ui::AnswerKindRegistration kLayerDialog({kLayerDialogAnswer, CheckLayerDialog});

}  // namespace
}  // namespace companion
