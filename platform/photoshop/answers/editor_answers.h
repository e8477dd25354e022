#pragma once
// The user finishing in the photo editor, a kind of answer the photo-editor
// stand-in owns: "editor done". Programs that may start the editor link
// photoshop_answers, which registers the kind as they start, before the
// editor's server is loaded (docs/answers.md).
namespace photoshop {

inline constexpr const char* kEditorAnswer = "editor";

}  // namespace photoshop
