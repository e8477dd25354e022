#pragma once
// A form as a window on the screen shows it (<ui/window_view.h>).
#include <Forms.hpp>
#include <ui/window_view.h>

namespace vcl::detail {

ui::WindowView FormView(const TCustomForm& form);

}  // namespace vcl::detail
