// HTML Help: the request goes to the transcript; the desktop's viewer shows
// the page when windows are shown.
#include <htmlhelp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "ui/driver.h"
#include "win32/posix.h"

namespace {

bool WindowsAreShown() {
  const char* display = std::getenv("DISPLAY");
  const char* show = std::getenv("RW_SHOW_HELP");
  return display != nullptr && *display != '\0' && show != nullptr && std::string(show) == "1";
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// "D:\help\Rasterwerk.chm::/main.htm" -> the page's POSIX path. A help file
// that is a folder holds its topics as pages.
std::string PageOf(const std::string& helpPath) {
  const auto separator = helpPath.find("::");
  const std::string file = win32::ToPosixPath(helpPath.substr(0, separator));
  if (file.empty() || !IsFolder(file)) return file;
  std::string topic = separator == std::string::npos ? "" : helpPath.substr(separator + 2);
  for (char& c : topic)
    if (c == '\\') c = '/';
  return topic.empty() || topic == "/" ? file + "/index.html" : file + (topic[0] == '/' ? "" : "/") + topic;
}

// Starts the viewer without waiting for it: the intermediate child ends at
// once, so the viewer never becomes our zombie.
void OpenInViewer(const std::string& page) {
  const pid_t child = fork();
  if (child == 0) {
    if (fork() == 0) {
      execlp("xdg-open", "xdg-open", page.c_str(), static_cast<char*>(nullptr));
    }
    _exit(0);
  }
  if (child > 0) waitpid(child, nullptr, 0);
}

}  // namespace

HWND WINAPI HtmlHelpA(HWND, LPCSTR pszFile, UINT uCommand, DWORD_PTR) {
  const std::string path = pszFile ? pszFile : "";
  ui::driver().record("htmlhelp \"" + path + "\" command=" + std::to_string(uCommand));
  if (WindowsAreShown() && !path.empty()) {
    const std::string page = PageOf(path);
    if (!page.empty()) OpenInViewer(page);
  }
  return nullptr;
}
