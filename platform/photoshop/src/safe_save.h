#pragma once
// Saving as the photo editor does: into a temporary file beside the target,
// then a rename over it, so the target is always either the old file or the
// new one, whole.
#include <functional>
#include <string>

namespace photoshop::detail {

// Calls `write` with the temporary file's path and, when it returns, puts the
// file in place of `posixPath`. When `write` throws or the file cannot be
// put in place, the temporary file is removed, the target is left as it was
// and PixelError is thrown with the reason.
void SaveReplacing(const std::string& posixPath, const std::function<void(const std::string& temporaryPath)>& write);

// Writes `size` bytes as the whole file at `posixPath`, flushed to the disk;
// PixelError with the reason when it cannot.
void WriteWholeFile(const std::string& posixPath, const void* data, size_t size);

}  // namespace photoshop::detail
