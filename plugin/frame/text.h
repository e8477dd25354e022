#pragma once
// Small text helpers of the plug-in.
#include <string>

// Letter case ignored (ASCII letters, as the settings and key names use).
bool EqualsNoCase(const std::string& a, const std::string& b);
// `text` with its ASCII letters in lower or upper case.
std::string LowerCase(std::string text);
std::string UpperCase(std::string text);

// The folder part of a Windows path, up to and including its last backslash
// ("" when it has none), and the rest.
std::string FolderOfPath(const std::string& path);
std::string FileNameOfPath(const std::string& path);
