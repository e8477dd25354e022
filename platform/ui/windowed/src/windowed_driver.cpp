#include "ui/windowed_driver.h"

#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "answers.h"
#include "driver_windows.h"
#include "terminal_pick.h"
#include "transcript.h"
#include "view_window.h"

namespace ui {
namespace {

using windowed::ViewWindow;

// A model's window while it is open: made and shown once it is asked for
// input or another window is (so that a window closed at once never shows).
struct OpenEntry {
  ShownWindow* model = nullptr;
  std::thread::id thread;
  std::unique_ptr<ViewWindow> window;
};

WindowedFileSystem WithDefaults(WindowedFileSystem fs) {
  if (!fs.drives) fs.drives = [] { return std::vector<std::pair<char, std::string>>{{'Z', "/"}}; };
  if (!fs.posixPath)
    fs.posixPath = [](const std::string& path) {
      if (path.size() < 2 || (path[1] == ':' && path[0] != 'Z' && path[0] != 'z')) return std::string();
      std::string posix = path[1] == ':' ? path.substr(2) : path;
      std::replace(posix.begin(), posix.end(), '\\', '/');
      return posix.empty() ? std::string("/") : posix;
    };
  if (!fs.windowsPath)
    fs.windowsPath = [](const std::string& path) {
      std::string windows = "Z:" + path;
      std::replace(windows.begin(), windows.end(), '/', '\\');
      return windows;
    };
  return fs;
}

// Waits until the window is on the screen and painted, so that a watcher
// sees (and photographs) what the person sees.
void Settle(Fl_Window& window) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    Fl::check();
    XWindowAttributes attributes{};
    const Window xid = fl_xid(&window);
    if (xid && XGetWindowAttributes(fl_display, xid, &attributes) && attributes.map_state == IsViewable &&
        !window.damage())
      break;
    Fl::wait(0.02);
  }
  Fl::flush();
  XSync(fl_display, False);
}

void CentreOver(Fl_Window& window, Fl_Window* owner) {
  if (owner && owner->shown())
    window.position(owner->x() + (owner->w() - window.w()) / 2, owner->y() + (owner->h() - window.h()) / 2);
  else
    window.position((Fl::w() - window.w()) / 2, (Fl::h() - window.h()) / 2);
}

}  // namespace

std::optional<UserInterface> userInterfaceNamed(const std::string& word) {
  if (word == "script") return UserInterface::Script;
  if (word == "windows") return UserInterface::Windows;
  return std::nullopt;
}

UserInterface defaultUserInterface(bool answersGiven, const char* display) {
  return !answersGiven && display && *display ? UserInterface::Windows : UserInterface::Script;
}

struct WindowedDriver::Screen {
  WindowedFileSystem fileSystem;
  std::mutex lock;  // FLTK is used by one thread at a time
  std::vector<OpenEntry> open;
  std::function<void(const WindowOnScreen&)> watcher;
  std::FILE* answersFile = nullptr;
  std::FILE* promptOut = stderr;
  std::FILE* replyIn = stdin;
  std::mutex echoLock;  // the command line may be written from any thread
  std::FILE* commandLineEcho = nullptr;

  ~Screen() {
    if (answersFile) std::fclose(answersFile);
  }

  // The latest open window of this thread that `target` names.
  OpenEntry* find(const std::string& target) {
    for (auto it = open.rbegin(); it != open.rend(); ++it)
      if (it->thread == std::this_thread::get_id() && it->model->view().target == target) return &*it;
    return nullptr;
  }

  // Every open window of this thread shows what its model holds now.
  void refresh() {
    Fl_Window* below = nullptr;
    for (OpenEntry& entry : open) {
      if (entry.thread != std::this_thread::get_id()) continue;
      const WindowView view = entry.model->view();
      if (!entry.window) {
        entry.window = std::make_unique<ViewWindow>(view);
        entry.window->set_modal();
        CentreOver(*entry.window, below);
      } else {
        entry.window->update(view);
      }
      if (view.visible && !entry.window->shown()) entry.window->show();
      if (!view.visible && entry.window->shown()) entry.window->hide();
      if (view.visible) below = entry.window.get();
    }
  }

  // The shown window whose caption is `title`, to stand over.
  Fl_Window* windowTitled(const std::string& title) {
    for (auto it = open.rbegin(); it != open.rend(); ++it)
      if (it->window && it->window->shown() && it->window->view().caption == title) return it->window.get();
    return nullptr;
  }

  void watch(const std::string& target, Fl_Window& window, const std::map<std::string, Fl_Widget*>& widgets) {
    if (!watcher) return;
    Settle(window);
    watcher({target, &window, widgets});
  }

  // Waits for the person's input in a model's window.
  ControlAction inputOf(OpenEntry& entry) {
    ViewWindow& window = *entry.window;
    window.show();  // on top
    window.takeFocus();
    watch(window.view().target, window, window.widgets());
    while (!window.hasInput()) Fl::wait();
    return window.takeInput();
  }

  void writeAnswer(const std::string& kind, const std::vector<std::string>& words) {
    if (!answersFile) return;
    std::fputs((kind + " " + answers::joinWords(words) + "\n").c_str(), answersFile);
    std::fflush(answersFile);
  }
};

WindowedDriver::WindowedDriver(WindowedFileSystem fileSystem)
    : ScriptedDriver(std::deque<Answer>{}), screen_(std::make_unique<Screen>()) {
  screen_->fileSystem = WithDefaults(std::move(fileSystem));
}

WindowedDriver::~WindowedDriver() {
  std::lock_guard lock(screen_->lock);
  for (OpenEntry& entry : screen_->open)
    if (entry.window) entry.window->hide();
  screen_->open.clear();
  Fl::flush();
}

// FLTK's one connection to the display, opened with the first driver and kept
// for the process (FLTK keeps its fonts and colours on it).
static void OpenDisplay() {
  if (fl_display) return;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    const char* name = XDisplayName(nullptr);
    throw AnswersError(std::string("cannot open the display \"") + (name ? name : "") +
                       "\" for the windows (give --ui script, or run where a display is)");
  }
  fl_open_display(display);
  // Arial's metrics, as near as the dialogs' own font: the texts fit their
  // controls as the templates planned them (fonts-liberation2).
  Fl::set_font(FL_HELVETICA, " Liberation Sans");
  Fl::set_font(FL_HELVETICA_BOLD, "BLiberation Sans");
  FL_NORMAL_SIZE = windowed::kFontSize;
  Fl_Tooltip::size(windowed::kFontSize);
  Fl::visible_focus(1);
}

std::unique_ptr<WindowedDriver> WindowedDriver::open(WindowedFileSystem fileSystem) {
  OpenDisplay();
  return std::unique_ptr<WindowedDriver>(new WindowedDriver(std::move(fileSystem)));
}

void WindowedDriver::recordAnswersTo(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) throw AnswersError("cannot write the answers file " + path);
  std::fputs("# The answers given in a windowed run; replay them with --ui script --answers FILE\n", file);
  std::fflush(file);
  std::lock_guard lock(screen_->lock);
  if (screen_->answersFile) std::fclose(screen_->answersFile);
  screen_->answersFile = file;
}

void WindowedDriver::askPicksOn(std::FILE* prompt, std::FILE* reply) {
  std::lock_guard lock(screen_->lock);
  screen_->promptOut = prompt;
  screen_->replyIn = reply;
}

void WindowedDriver::echoCommandLineTo(std::FILE* terminal) {
  std::lock_guard lock(screen_->echoLock);
  screen_->commandLineEcho = terminal;
}

void WindowedDriver::commandLine(const std::string& text) {
  ScriptedDriver::commandLine(text);
  std::lock_guard lock(screen_->echoLock);
  if (!screen_->commandLineEcho) return;
  std::fputs(text.c_str(), screen_->commandLineEcho);
  std::fflush(screen_->commandLineEcho);
}

void WindowedDriver::watchWindows(std::function<void(const WindowOnScreen&)> watcher) {
  std::lock_guard lock(screen_->lock);
  screen_->watcher = std::move(watcher);
}

void WindowedDriver::windowOpened(ShownWindow& window) {
  std::lock_guard lock(screen_->lock);
  screen_->open.push_back({&window, std::this_thread::get_id(), nullptr});
}

void WindowedDriver::windowClosed(ShownWindow& window) {
  std::lock_guard lock(screen_->lock);
  auto& open = screen_->open;
  auto it = std::find_if(open.begin(), open.end(), [&](const OpenEntry& e) { return e.model == &window; });
  if (it == open.end()) return;
  if (it->window) it->window->hide();
  open.erase(it);
  Fl::flush();
}

std::optional<ControlAction> WindowedDriver::nextAction(const std::string& target) {
  std::unique_lock lock(screen_->lock);
  OpenEntry* entry = screen_->find(target);
  if (!entry) {
    // Nothing on the screen asks for it: the window takes its default.
    lock.unlock();
    return ScriptedDriver::nextAction(target);
  }
  screen_->refresh();
  const ControlAction action = screen_->inputOf(*entry);
  const std::string kind = entry->window->view().kind;
  std::vector<std::string> words{action.verb};
  words.insert(words.end(), action.args.begin(), action.args.end());
  screen_->writeAnswer(kind, [&] {
    std::vector<std::string> all{target};
    all.insert(all.end(), words.begin(), words.end());
    return all;
  }());
  lock.unlock();
  record("input " + answers::quoteWord(target) + " -> " + answers::joinWords(words));
  return action;
}

std::optional<std::vector<std::string>> WindowedDriver::take(const std::string& kind) {
  std::unique_lock lock(screen_->lock);
  OpenEntry* entry = screen_->find(kind);
  if (!entry) {
    lock.unlock();
    return ScriptedDriver::take(kind);
  }
  std::optional<std::vector<std::string>> words;
  while (!words) {
    screen_->refresh();
    words = entry->model->answer(screen_->inputOf(*entry));
  }
  screen_->writeAnswer(kind, *words);
  lock.unlock();
  record(kind + " -> " + answers::joinWords(*words));
  return words;
}

int WindowedDriver::messageBox(const MessageBoxRequest& request) {
  std::unique_lock lock(screen_->lock);
  screen_->refresh();
  windowed::MessageBoxWindow box(request);
  CentreOver(box, screen_->windowTitled(request.owner));
  box.show();
  screen_->watch("msgbox", box, box.widgets());
  while (!box.done()) Fl::wait();
  box.hide();
  const std::string answer = answers::buttonName(box.answer());
  screen_->writeAnswer("msgbox", {answer});
  lock.unlock();
  record(transcript::messageBox(request, answer));
  return box.answer();
}

void WindowedDriver::beep(unsigned type) {
  ScriptedDriver::beep(type);
  std::lock_guard lock(screen_->lock);
  fl_beep();
}

std::optional<std::string> WindowedDriver::fileDialog(const FileDialogRequest& request) {
  std::unique_lock lock(screen_->lock);
  screen_->refresh();
  windowed::FileDialogWindow dialog(request, screen_->fileSystem);
  CentreOver(dialog, screen_->windowTitled(request.owner));
  dialog.show();
  screen_->watch("filedialog", dialog, dialog.widgets());
  while (!dialog.done()) Fl::wait();
  dialog.hide();
  const std::optional<std::string> answer = dialog.answer();
  screen_->writeAnswer("file", {answer ? *answer : "cancel"});
  lock.unlock();
  record(transcript::fileDialog(request, answer ? transcript::quoted(*answer) : "cancel"));
  return answer;
}

PickAnswer WindowedDriver::pick(const std::string& prompt) {
  std::unique_lock lock(screen_->lock);
  screen_->refresh();
  Fl::flush();
  const PickAnswer answer = windowed::AskPick(prompt, screen_->promptOut, screen_->replyIn);
  const std::string word = answer.kind == PickAnswer::Kind::Entity    ? answer.handle
                           : answer.kind == PickAnswer::Kind::Nothing ? "enter"
                                                                      : "cancel";
  screen_->writeAnswer("pick", {word});
  lock.unlock();
  record(transcript::pick(prompt, word));
  return answer;
}

}  // namespace ui
