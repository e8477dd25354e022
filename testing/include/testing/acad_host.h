#pragma once
// One way for tests to run the drawing-editor program acad-host: the run's
// files (script, answers, transcript, journal, standard output and error) lie
// in a folder of the test, and a run that does not end is killed.
#include <filesystem>
#include <string>
#include <vector>

namespace rwtest {

// What a run of acad-host left.
struct HostRun {
  // The exit code; -1 when the program did not end by itself (killed by the
  // hang guard or a signal).
  int exitCode = -1;
  std::string transcript;
  std::string output;  // standard output
  std::string errors;  // standard error
  std::vector<std::string> journal;  // the editor's journal, an entry a line

  // The journal entries that start with `prefix`, in order.
  std::vector<std::string> journalEntries(const std::string& prefix) const;
  // How many journal entries are exactly `entry`.
  long journalCount(const std::string& entry) const;
};

class AcadHost {
 public:
  // A run that has not ended after this long hangs and is killed.
  static constexpr int kHangGuardSeconds = 120;

  // `program`: the acad-host to run; `folder`: where the run's files go.
  AcadHost(std::string program, std::filesystem::path folder);

  // Arguments given to every run before its own (drive map, user folder, ...).
  std::vector<std::string> options;
  // Variables set for the program and what it starts, as "NAME=value".
  std::vector<std::string> environment;

  // Runs `script` with `answers`; `arguments` end the command line (options
  // of this run, the drawing). Every argument is passed as it stands.
  HostRun run(const std::string& script, const std::string& answers = "",
              const std::vector<std::string>& arguments = {}) const;

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::string program_;
  std::filesystem::path folder_;
};

}  // namespace rwtest
