// Processes: CreateProcessA over posix_spawn, with the command line split by
// the Microsoft C runtime's rules and the drive map handed to the child.
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "internal.h"
#include "win32/handles.h"
#include "win32/posix.h"
#include "win32/processes.h"

extern char** environ;

using win32::detail::Fail;

namespace {

std::mutex journalMutex;
std::vector<std::string>& Journal() {
  static auto* journal = new std::vector<std::string>;
  return *journal;
}

void Record(const std::string& commandLine) {
  std::lock_guard lock(journalMutex);
  Journal().push_back(commandLine);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The end of the program name at the start of `line`.
std::size_t ProgramNameEnd(const std::string& line) {
  if (!line.empty() && line[0] == '"') {
    std::size_t close = line.find('"', 1);
    return close == std::string::npos ? line.size() : close + 1;
  }
  std::size_t i = 0;
  while (i < line.size() && !IsBlank(line[i])) ++i;
  return i;
}

// ---- Process objects ----

// One child; shared by its process and thread handles.
class ChildProcess {
 public:
  explicit ChildProcess(pid_t pid) : m_pid(pid) {}
  ~ChildProcess() {
    if (ended()) return;
    std::thread([pid = m_pid] {  // nobody waits any more: reap it when it ends
      while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  }
  pid_t pid() const { return m_pid; }

  // Reaps the child when it has ended; true once it has.
  bool ended() {
    std::lock_guard lock(m_mutex);
    if (m_ended) return true;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) != m_pid) return false;
    m_ended = true;
    if (m_terminated)
      return true;
    m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128u + WTERMSIG(status);
    return true;
  }
  // Blocks until the child has ended (without reaping, so that any waiter
  // may reap it).
  void waitForEnd() {
    siginfo_t info{};
    while (!ended()) {
      if (waitid(P_PID, m_pid, &info, WEXITED | WNOWAIT) < 0 && errno != EINTR) return;
    }
  }
  DWORD exitCode() {
    if (!ended()) return STILL_ACTIVE;
    std::lock_guard lock(m_mutex);
    return m_exitCode;
  }
  bool terminate(UINT exitCode) {
    if (ended()) return false;
    std::lock_guard lock(m_mutex);
    m_terminated = true;
    m_exitCode = exitCode;
    return kill(m_pid, SIGKILL) == 0;
  }

 private:
  const pid_t m_pid;
  std::mutex m_mutex;
  bool m_ended = false;
  bool m_terminated = false;
  DWORD m_exitCode = STILL_ACTIVE;
};

class ProcessObject : public win32::KernelObject {
 public:
  explicit ProcessObject(std::shared_ptr<ChildProcess> child) : child(std::move(child)) {}
  std::shared_ptr<ChildProcess> child;
};
class ThreadObject : public ProcessObject {
  using ProcessObject::ProcessObject;
};

// The child behind a process or thread handle; shared, so that a handle
// closed by another thread meanwhile does not end it under a waiter.
std::shared_ptr<ChildProcess> ChildOf(HANDLE handle) {
  auto* object = win32::HandleAs<ProcessObject>(handle);
  return object ? object->child : nullptr;
}

// ---- Start ----

// The POSIX file of the program, ".exe" added as Windows does when the name
// has no extension and the file without one does not exist.
std::string ProgramFile(const std::string& windowsName) {
  std::string path = win32::detail::PosixPathOf(windowsName.c_str());
  if (path.empty()) return path;
  std::filesystem::path file(path);
  if (!file.has_extension() && !std::filesystem::exists(file) && std::filesystem::exists(path + ".exe"))
    path += ".exe";
  if (path.find('/') != std::string::npos) path = std::filesystem::absolute(path).string();
  return path;
}

// The child's environment: the given block ("A=B\0C=D\0\0", code page 1252)
// or ours, with the drive map in place of any inherited one.
std::vector<std::string> ChildEnvironment(const char* block) {
  std::vector<std::string> entries;
  if (block) {
    for (const char* p = block; *p; p += std::strlen(p) + 1) entries.push_back(win32::Cp1252ToUtf8(p));
  } else {
    for (char** p = environ; *p; ++p) entries.emplace_back(*p);
  }
  const std::string prefix = std::string(win32::kDriveMapVariable) + "=";
  std::erase_if(entries, [&](const std::string& e) { return e.compare(0, prefix.size(), prefix) == 0; });
  const std::string map = win32::SerialiseDriveMap();
  if (!map.empty()) entries.push_back(prefix + map);
  return entries;
}

std::vector<char*> PointersTo(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

DWORD SpawnError(int error, const std::string& program) {
  return error == ENOEXEC ? ERROR_BAD_EXE_FORMAT : win32::detail::ErrorFromErrno(error, program);
}

// Starts `program` with `arguments` (argv[0] included) in `folder`; the pid
// or -1 with the last error set.
pid_t Spawn(const std::string& program, std::vector<std::string> arguments, const std::string& folder,
            std::vector<std::string> environment) {
  const bool searchPath = program.find('/') == std::string::npos;
  // A program that is not there or may not be run fails before anything
  // starts: posix_spawn learns of a failed exec only from a child that shares
  // our memory until it execs, which a child under qemu-user does not.
  if (!searchPath && access(program.c_str(), X_OK) != 0) return Fail(SpawnError(errno, program), pid_t(-1));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  std::vector<char*> argv = PointersTo(arguments);
  std::vector<char*> envp = PointersTo(environment);
  pid_t pid = -1;
  int error = searchPath ? posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data())
                         : posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return Fail(SpawnError(error, program), pid_t(-1));
  return pid;
}

// The POSIX folder of `windowsFolder` (null: ours, ""); "-" when it is no folder.
std::string WorkingFolder(LPCSTR windowsFolder) {
  if (!windowsFolder) return "";
  std::string folder = win32::detail::PosixPathOf(windowsFolder);
  if (folder.empty() || !std::filesystem::is_directory(folder)) return "-";
  return folder;
}

}  // namespace

namespace win32 {

std::vector<std::string> ProcessJournal() {
  std::lock_guard lock(journalMutex);
  return Journal();
}

void ClearProcessJournal() {
  std::lock_guard lock(journalMutex);
  Journal().clear();
}

std::string ProgramNameOf(const std::string& commandLine) {
  std::string name = commandLine.substr(0, ProgramNameEnd(commandLine));
  if (!name.empty() && name[0] == '"') {
    name.erase(0, 1);
    if (!name.empty() && name.back() == '"') name.pop_back();
  }
  return name;
}

std::vector<std::string> SplitArguments(const std::string& line) {
  std::vector<std::string> arguments;
  std::size_t i = ProgramNameEnd(line);
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      std::size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          argument += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        argument.append(backslashes, '\\');
        if (i < line.size() && (quoted || !IsBlank(line[i]))) argument += line[i++];
      }
    }
    arguments.push_back(argument);
  }
}

}  // namespace win32

BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                           LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation) {
  if (!lpStartupInfo || !lpProcessInformation || (!lpApplicationName && !lpCommandLine))
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const std::string line = lpCommandLine ? lpCommandLine : "";
  Record(line);
  const std::string name = lpApplicationName ? lpApplicationName : win32::ProgramNameOf(line);
  const std::string program = ProgramFile(name);
  if (program.empty()) return FALSE;  // PosixPathOf set the error
  const std::string folder = WorkingFolder(lpCurrentDirectory);
  if (folder == "-") return Fail(ERROR_DIRECTORY, FALSE);

  std::vector<std::string> arguments{program};
  for (const auto& argument : win32::SplitArguments(line)) arguments.push_back(win32::Cp1252ToUtf8(argument));
  const pid_t pid = Spawn(program, arguments, folder, ChildEnvironment(static_cast<const char*>(lpEnvironment)));
  if (pid < 0) return FALSE;

  auto child = std::make_shared<ChildProcess>(pid);
  lpProcessInformation->hProcess = win32::RegisterHandle(std::make_unique<ProcessObject>(child));
  lpProcessInformation->hThread = win32::RegisterHandle(std::make_unique<ThreadObject>(child));
  lpProcessInformation->dwProcessId = static_cast<DWORD>(pid);
  lpProcessInformation->dwThreadId = static_cast<DWORD>(pid);  // the main thread's id is the pid
  return Fail(ERROR_SUCCESS, TRUE);
}

BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
  std::shared_ptr<ChildProcess> child = ChildOf(hProcess);
  if (!child || !lpExitCode) return Fail(ERROR_INVALID_HANDLE, FALSE);
  *lpExitCode = child->exitCode();
  return TRUE;
}

BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT uExitCode) {
  std::shared_ptr<ChildProcess> child = ChildOf(hProcess);
  if (!child) return Fail(ERROR_INVALID_HANDLE, FALSE);
  return child->terminate(uExitCode) ? TRUE : Fail(ERROR_ACCESS_DENIED, FALSE);
}

DWORD WINAPI GetProcessId(HANDLE Process) {
  std::shared_ptr<ChildProcess> child = ChildOf(Process);
  return child ? static_cast<DWORD>(child->pid()) : Fail(ERROR_INVALID_HANDLE, DWORD(0));
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  std::shared_ptr<ChildProcess> child = ChildOf(hHandle);
  if (!child) return Fail(ERROR_INVALID_HANDLE, WAIT_FAILED);
  if (dwMilliseconds == INFINITE) {
    child->waitForEnd();
    return WAIT_OBJECT_0;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
  while (!child->ended()) {
    if (std::chrono::steady_clock::now() >= deadline) return WAIT_TIMEOUT;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WAIT_OBJECT_0;
}

DWORD WINAPI WaitForInputIdle(HANDLE hProcess, DWORD) {
  return ChildOf(hProcess) ? 0 : Fail(ERROR_INVALID_HANDLE, WAIT_FAILED);
}
