#pragma once
// Running a shell command in a test and reading what it prints.
#include <string>

namespace rwtest {

// Runs `command` with /bin/sh; its standard output is added to `output`.
// The exit status, or -1 when it did not end by itself or could not start.
int runCommand(const std::string& command, std::string& output);

}  // namespace rwtest
