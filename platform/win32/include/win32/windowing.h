#pragma once
// Window-manager extras no real platform has.
#include <functional>
#include <string>
#include <windows.h>

namespace win32 {

// Called on the installing thread each time a message hook is installed for
// the calling thread (one observer per thread; an empty function removes
// it). A program that plays the user on that thread uses it to know that
// someone is now listening to its messages.
void SetHookInstalledObserver(std::function<void()> observer);

}  // namespace win32

namespace win32::testing {

// Makes the next call of `function` (one of "RegisterClassA",
// "CreateWindowExA", "GetWindowThreadProcessId", "SetWindowsHookExA") fail as
// the system would refuse it. An empty name clears every pending failure.
void FailNextWindowCall(const std::string& function);

}  // namespace win32::testing
