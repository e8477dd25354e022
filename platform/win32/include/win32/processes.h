#pragma once
// How CreateProcessA turns a command line into a POSIX argument list.
#include <string>
#include <vector>

namespace win32 {

// The program name at the start of `commandLine`: up to the closing quote
// when it starts with one, else up to the first blank or tab.
std::string ProgramNameOf(const std::string& commandLine);

// The arguments after the program name, split by the Microsoft C runtime's
// rules: blanks and tabs separate arguments outside double quotes; 2n
// backslashes before a quote give n backslashes and the quote opens or closes
// quoting; 2n+1 backslashes before a quote give n backslashes and a literal
// quote; "" inside quotes gives a literal quote; other backslashes are
// literal. Bytes are kept as they are (no code page conversion).
std::vector<std::string> SplitArguments(const std::string& commandLine);

// The journal of CreateProcessA: every command line it was given, started or
// not, in order, as the caller wrote it.
std::vector<std::string> ProcessJournal();
void ClearProcessJournal();

}  // namespace win32
