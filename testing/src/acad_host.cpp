#include "testing/acad_host.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "testing/temp_folder.h"

extern char** environ;

namespace rwtest {
namespace {

std::vector<std::string> readLines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The process's environment with `extra` ("NAME=value") set over it.
std::vector<std::string> environmentWith(const std::vector<std::string>& extra) {
  std::vector<std::string> result;
  for (char** variable = environ; *variable != nullptr; ++variable) result.emplace_back(*variable);
  for (const std::string& setting : extra) {
    const std::string name = setting.substr(0, setting.find('=') + 1);
    std::erase_if(result, [&](const std::string& v) { return v.rfind(name, 0) == 0; });
    result.push_back(setting);
  }
  return result;
}

std::vector<char*> pointers(std::vector<std::string>& words) {
  std::vector<char*> result;
  for (std::string& word : words) result.push_back(word.data());
  result.push_back(nullptr);
  return result;
}

// Runs `words` (the program first) with standard output and error in files;
// the exit code, or -1 when it did not end by itself.
int spawnAndWait(std::vector<std::string> words, std::vector<std::string> environment,
                 const std::filesystem::path& output, const std::filesystem::path& errors) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv = pointers(words);
  std::vector<char*> envp = pointers(environment);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + words[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("cannot wait for " + words[0]);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::vector<std::string> HostRun::journalEntries(const std::string& prefix) const {
  std::vector<std::string> found;
  std::copy_if(journal.begin(), journal.end(), std::back_inserter(found),
               [&](const std::string& entry) { return entry.rfind(prefix, 0) == 0; });
  return found;
}

long HostRun::journalCount(const std::string& entry) const { return std::count(journal.begin(), journal.end(), entry); }

AcadHost::AcadHost(std::string program, std::filesystem::path folder)
    : program_(std::move(program)), folder_(std::move(folder)) {}

HostRun AcadHost::run(const std::string& script, const std::string& answers,
                      const std::vector<std::string>& arguments) const {
  const auto file = [&](const char* name) { return (folder_ / name).string(); };
  std::filesystem::create_directories(folder_);
  std::ofstream(file("script.scr"), std::ios::binary) << script;
  std::ofstream(file("answers.txt"), std::ios::binary) << answers;
  std::filesystem::remove(file("transcript.txt"));
  std::filesystem::remove(file("journal.txt"));
  // The hang guard: timeout kills the program and what it started.
  std::vector<std::string> words = {"timeout", "-s", "KILL", std::to_string(kHangGuardSeconds), program_};
  words.insert(words.end(), options.begin(), options.end());
  for (const auto& [option, name] : {std::pair{"--script", "script.scr"}, std::pair{"--answers", "answers.txt"},
                                      std::pair{"--transcript", "transcript.txt"}, std::pair{"--journal", "journal.txt"}}) {
    words.push_back(option);
    words.push_back(file(name));
  }
  words.insert(words.end(), arguments.begin(), arguments.end());
  HostRun result;
  result.exitCode = spawnAndWait(words, environmentWith(environment), file("output.txt"), file("errors.txt"));
  result.transcript = readFile(file("transcript.txt"));
  result.output = readFile(file("output.txt"));
  result.errors = readFile(file("errors.txt"));
  result.journal = readLines(file("journal.txt"));
  return result;
}

}  // namespace rwtest
