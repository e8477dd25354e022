#pragma once
// How Windows paths meet the POSIX file system: the drive map and the
// conversion between code page 1252 and UTF-8.
//
// Windows path -> POSIX path (ToPosixPath):
//   "X:\a\b" or "X:/a/b"  the mapped folder of drive X (any letter case) + "/a/b";
//                         "X:" alone is the drive's root folder
//   "\a\b"                rooted on the current drive, which is Z: ("/a/b")
//   "a\b"                 relative: stays relative to the process's current folder
//   "\\server\share\..."  network paths are not reachable here: empty result
//   an unmapped drive     empty result
// Callers report an empty result as ERROR_PATH_NOT_FOUND.
#include <optional>
#include <string>

namespace win32 {

// The environment variable that hands the drive map to child processes;
// it is read when the library starts.
inline constexpr const char* kDriveMapVariable = "RW_DRIVES";

// Maps drive `letter` to the absolute POSIX folder `folder`. Z: is always
// "/" and cannot be remapped; folders holding ';' or a line break are refused.
bool MapDrive(char letter, const std::string& folder);
void UnmapDrive(char letter);
std::optional<std::string> DriveFolder(char letter);
// "D=/tmp/x;E=/srv/data": every mapped drive except Z:, in letter order.
std::string SerialiseDriveMap();
// Replaces the map (except Z:) with the serialised one; false when malformed,
// the map is then unchanged.
bool ParseDriveMap(const std::string& text);

// Windows path in code page 1252 -> UTF-8 POSIX path ("" when unreachable).
std::string ToPosixPath(const std::string& windowsPath);
// POSIX path (UTF-8; relative ones taken from the current folder) -> code page
// 1252 Windows path on the mapped drive with the longest matching folder,
// "Z:\..." when no other drive matches.
std::string ToWindowsPath(const std::string& posixPath);

// Characters that code page 1252 cannot hold become '?'; bytes that are not
// UTF-8 become '?' as well.
std::string Cp1252ToUtf8(const std::string& text);
std::string Utf8ToCp1252(const std::string& text);

}  // namespace win32
