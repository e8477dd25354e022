#include "script_runner.h"

#include <exception>

#include "aced.h"
#include "arx/host.h"
#include "host_commands.h"
#include "lisp_call.h"

namespace acadhost {
namespace {

std::string trimmed(const std::string& line) {
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

void splitCommand(const std::string& line, std::string& name, std::string& arguments) {
  const auto cut = line.find_first_of(" \t");
  name = line.substr(0, cut);
  arguments = cut == std::string::npos ? "" : trimmed(line.substr(cut));
}

// Runs `body`, turning an exception that ends it into a failure message.
template <typename Body>
bool guarded(const std::string& what, Body body) {
  try {
    return body();
  } catch (const std::exception& error) {
    acutPrintf("\n; error: %s ended: %s\n", what.c_str(), error.what());
  } catch (...) {
    acutPrintf("\n; error: %s ended by an unknown error\n", what.c_str());
  }
  return false;
}

}  // namespace

int ScriptRunner::runAll(std::istream& input) {
  int failures = 0;
  std::string line;
  while (std::getline(input, line)) {
    if (!runLine(line)) ++failures;
  }
  return failures;
}

bool ScriptRunner::runLine(const std::string& rawLine) {
  const std::string line = trimmed(rawLine);
  if (line.empty() || line.front() == ';') return true;
  acutPrintf("Command: %s\n", line.c_str());
  return isLispCall(line) ? runLisp(line) : runCommand(line);
}

bool ScriptRunner::runLisp(const std::string& line) {
  std::string error;
  resbuf* call = parseLispCall(line, error);
  if (call == nullptr) {
    acutPrintf("; error: %s\n", error.c_str());
    return false;
  }
  const std::string name = call->resval.rstring;
  if (!arx::isLispFunctionDefined(name)) {
    acutRelRb(call);
    acutPrintf("; error: no function definition: %s\n", name.c_str());
    return false;
  }
  resbuf* result = nullptr;
  const int status = guarded(name, [&] { return acedInvoke(call, &result) == RTNORM; }) ? RTNORM : RTERROR;
  acutRelRb(call);
  if (status == RTNORM && result != nullptr) acutPrintf("%s\n", formatLispValue(result).c_str());
  if (status != RTNORM) acutPrintf("; error: %s failed\n", name.c_str());
  acutRelRb(result);
  return status == RTNORM;
}

bool ScriptRunner::runCommand(const std::string& line) {
  std::string name, arguments;
  splitCommand(line, name, arguments);
  return guarded(name, [&] {
    switch (runHostCommand(name, arguments)) {
      case HostCommandResult::Done: return true;
      case HostCommandResult::Failed: return false;
      case HostCommandResult::NotAHostCommand: break;
    }
    if (!arguments.empty()) {
      acutPrintf("; error: %s takes no arguments here\n", name.c_str());
      return false;
    }
    if (arx::runCommand(name)) return true;
    acutPrintf("Unknown command \"%s\".  Press F1 for help.\n", name.c_str());
    return false;
  });
}

}  // namespace acadhost
