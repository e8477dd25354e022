#pragma once
// The user's input to a form, one answer of the UI driver at a time.
#include <Forms.hpp>
#include <ui/driver.h>

namespace vcl::detail {

// Carries out one action on the form as the user would: clicking or typing
// into a control gives it the focus first (the control losing the focus runs
// its exit event); what a user could not do (click a disabled control,
// choose an item that is not in the list) is recorded and ignored.
void RunInput(TCustomForm& form, const ui::ControlAction& action);

}  // namespace vcl::detail
