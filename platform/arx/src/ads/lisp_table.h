#pragma once
// The LISP function table as the application table sees it.
namespace arx::detail {

// Removes every LISP function and handler the application `owner` defined.
void forgetLispFunctionsOf(const void* owner);

}  // namespace arx::detail
