#pragma once
// The answers of the companion library's layer dialog, a kind of answer the
// library owns: "layerdialog KEY NAME" (the user's choice) or
// "layerdialog cancel". Programs that run the library link
// companions_lisp_answers, which registers the kind as they start, before
// the library itself is loaded (docs/answers.md).
namespace companion {

inline constexpr const char* kLayerDialogAnswer = "layerdialog";

}  // namespace companion
