#pragma once
// How controls are written in the transcript.
#include <System.hpp>

namespace vcl::detail {

// Text in double quotes; quotes doubled, control characters escaped (the
// wording of every window in the transcript, ui::quoted).
AnsiString Quoted(const AnsiString& text);

}  // namespace vcl::detail
