#pragma once
// Test controls: faults the callers of the profile functions must survive.
#include <cstddef>
#include <functional>

namespace win32::testing {

// Called while a profile file is being written, with the number of bytes
// written so far; returning false makes the write fail there (as a full disk
// would). An empty function removes the control.
using ProfileWriteObserver = std::function<bool(std::size_t bytesWritten)>;
void SetProfileWriteObserver(ProfileWriteObserver observer);

}  // namespace win32::testing
