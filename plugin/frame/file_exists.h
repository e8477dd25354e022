#pragma once
#include <string>

// A file counts as existing when it can be opened for reading, or when
// opening fails for any cause other than a missing file or path (a file
// locked by another program or closed to us still exists).
bool FileExists(const std::string& path);
