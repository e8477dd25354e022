#pragma once
// The host's own script commands: those of this program (the table in
// host_commands.cpp) and those the editor library registers (arx::registerHostCommand:
// OPEN, SAVE, SAVEAS, PAGESETUP, ... as the drawing parts provide them).
#include <string>

namespace acadhost {

enum class HostCommandResult { NotAHostCommand, Done, Failed };

// Runs `name` with the rest of the line as `arguments` when it is a host command.
HostCommandResult runHostCommand(const std::string& name, const std::string& arguments);

// The drawing hooks: open DRAWING before the script, save after it. Both
// run the host commands "OPEN" / "SAVEAS" with a POSIX path and explain a
// failure on the command line.
bool openDrawingFile(const std::string& posixPath);
bool saveDrawingFile(const std::string& posixPath);

}  // namespace acadhost
