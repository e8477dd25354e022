#pragma once
// The host's own script commands: those of this program (the table in
// host_commands.cpp: APPLOAD, OPEN, SAVE, SAVEAS, PAGESETUP, HELP) and those
// other parts of the editor library register with arx::registerHostCommand.
#include <string>

namespace acadhost {

enum class HostCommandResult { NotAHostCommand, Done, Failed };

// Runs `name` with the rest of the line as `arguments` when it is a host command.
HostCommandResult runHostCommand(const std::string& name, const std::string& arguments);

// Open DRAWING before the script, save after it (POSIX paths), as the host
// commands OPEN and SAVEAS do; a failure is explained on the command line and
// in `error` ("FILE: REASON (line N)").
bool openDrawingFile(const std::string& posixPath, std::string& error);
bool saveDrawingFile(const std::string& posixPath, std::string& error);

}  // namespace acadhost
