#pragma once
// Runs script lines: comments (";"), LISP calls "(NAME ARGS...)", host
// commands and the applications' registered commands.
#include <istream>
#include <string>

namespace acadhost {

class ScriptRunner {
 public:
  // Runs every line of `input`; the number of lines that failed.
  int runAll(std::istream& input);
  // Runs one line; false when it failed (explained on the command line).
  bool runLine(const std::string& line);

 private:
  bool runLisp(const std::string& line);
  bool runCommand(const std::string& line);
};

}  // namespace acadhost
