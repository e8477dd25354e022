// The file dialog: the drive map's drives as the top folders, the folders
// and the files the chosen filter lets through, a name and the filter.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/fl_ask.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "driver_windows.h"
#include "text.h"
#include "view_window.h"

namespace ui::windowed {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMostEntries = 20000;  // a folder lists no more than these
constexpr unsigned kFileMustExist = 0x1000;  // OFN_FILEMUSTEXIST

// "Pictures|*.png;*.jpg|All files|*.*|" as pairs.
std::vector<std::pair<std::string, std::string>> ReadFilter(const std::string& filter) {
  std::vector<std::pair<std::string, std::string>> pairs;
  size_t at = 0;
  while (at < filter.size()) {
    const size_t bar = filter.find('|', at);
    if (bar == std::string::npos) break;
    const size_t end = filter.find('|', bar + 1);
    pairs.emplace_back(filter.substr(at, bar - at), filter.substr(bar + 1, end == std::string::npos ? end : end - bar - 1));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  if (pairs.empty()) pairs.emplace_back("All files (*.*)", "*.*");
  return pairs;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Windows' wildcards in any letter case; "*.*" matches names without a dot too.
bool Matches(const char* pattern, const char* name) {
  if (std::string(pattern) == "*.*") return true;
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') return Matches(pattern + 1, name) || (*name && Matches(pattern, name + 1));
  if (*name == '\0') return false;
  return (*pattern == '?' || Lower(*pattern) == Lower(*name)) && Matches(pattern + 1, name + 1);
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

bool IsFullPath(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// The folder of a Windows path, with its backslash ("" when it has none).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos) return path.substr(0, slash + 1);
  return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) + "\\" : "";
}

std::string NameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

// A text as Fl_Menu_::add takes it literally.
std::string MenuText(const std::string& ansi) {
  std::string out;
  for (char c : LabelText(ansi)) {
    if (c == '\\' || c == '/' || c == '&' || c == '_') out += '\\';
    out += c;
  }
  return out;
}

Fl_Box* Caption(int x, int y, int w, const char* text) {
  auto* box = new Fl_Box(x, y, w, 22, text);
  box->labelsize(kFontSize);
  box->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  return box;
}

Fl_Button* Button(int x, int y, const char* text) {
  auto* button = new Fl_Button(x, y, 85, 23);
  button->copy_label(text);
  button->labelsize(kFontSize);
  return button;
}

}  // namespace

FileDialogWindow::FileDialogWindow(const FileDialogRequest& request, const WindowedFileSystem& fileSystem)
    : Fl_Double_Window(460, 312), fileSystem_(fileSystem), flags_(request.flags), filters_(ReadFilter(request.filter)) {
  copy_label(Utf8FromAnsi(!request.title.empty() ? request.title : request.open ? "Open" : "Save As").c_str());
  begin();
  Caption(10, 8, 65, "Look in:");
  where_ = new Fl_Box(80, 8, 370, 22);
  where_->box(FL_DOWN_BOX);
  where_->labelsize(kFontSize);
  where_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  list_ = new Fl_Hold_Browser(10, 36, 440, 200);
  list_->format_char(0);
  list_->textsize(kFontSize);
  list_->when(FL_WHEN_RELEASE_ALWAYS);
  list_->callback([](Fl_Widget* w, void*) {
    auto* self = static_cast<FileDialogWindow*>(w->window());
    self->opened(static_cast<Fl_Hold_Browser*>(w)->value() - 1);
  });
  Caption(10, 246, 80, "File name:");
  name_ = new Fl_Input(95, 246, 260, 22);
  name_->textsize(kFontSize);
  name_->value(Utf8FromAnsi(NameOf(request.initialName)).c_str());
  Fl_Button* ok = Button(365, 246, request.open ? "Open" : "Save");
  ok->callback([](Fl_Widget* w, void*) { static_cast<FileDialogWindow*>(w->window())->choose(); });
  Caption(10, 276, 80, "Files of type:");
  filter_ = new Fl_Choice(95, 276, 260, 22);
  filter_->textsize(kFontSize);
  for (const auto& [description, patterns] : filters_) filter_->add(MenuText(description).c_str());
  filter_->value(0);
  filter_->callback([](Fl_Widget* w, void*) {
    auto* self = static_cast<FileDialogWindow*>(w->window());
    self->list(self->folder_);
  });
  Fl_Button* cancelButton = Button(365, 276, "Cancel");
  cancelButton->callback([](Fl_Widget* w, void*) { static_cast<FileDialogWindow*>(w->window())->cancel(); });
  end();
  widgets_ = {{"folder", where_}, {"list", list_}, {"name", name_}, {"filter", filter_}, {"ok", ok},
              {"cancel", cancelButton}};
  callback([](Fl_Widget* w, void*) { static_cast<FileDialogWindow*>(w)->cancel(); });
  set_modal();
  std::string start = FolderOf(request.initialName);
  if (start.empty()) start = fileSystem_.windowsPath(fs::current_path().string()) + "\\";
  list(start);
}

bool FileDialogWindow::matchesFilter(const std::string& name) const {
  const int chosen = std::max(filter_->value(), 0);
  const std::string& patterns = filters_[std::min<size_t>(chosen, filters_.size() - 1)].second;
  size_t at = 0;
  while (at <= patterns.size()) {
    size_t end = patterns.find(';', at);
    if (end == std::string::npos) end = patterns.size();
    std::string pattern = patterns.substr(at, end - at);
    pattern.erase(0, pattern.find_first_not_of(' '));
    if (!pattern.empty() && Matches(pattern.c_str(), name.c_str())) return true;
    at = end + 1;
  }
  return false;
}

// Lists a folder (a Windows path ending with a backslash), or the drives
// for "" or a folder that cannot be read.
void FileDialogWindow::list(const std::string& windowsFolder) {
  entries_.clear();
  list_->clear();
  std::error_code error;
  const std::string posix = windowsFolder.empty() ? "" : fileSystem_.posixPath(windowsFolder);
  if (posix.empty() || !fs::is_directory(posix, error)) {
    folder_.clear();
    where_->copy_label("Computer");
    for (const auto& [letter, folder] : fileSystem_.drives()) entries_.push_back(std::string(1, letter) + ":\\");
  } else {
    folder_ = windowsFolder.back() == '\\' ? windowsFolder : windowsFolder + "\\";
    where_->copy_label(LabelText(folder_).c_str());
    entries_.push_back("..");
    std::vector<std::string> folders, files;
    for (fs::directory_iterator it(posix, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end && folders.size() + files.size() < kMostEntries; it.increment(error)) {
      const std::string name = AnsiFromUtf8(it->path().filename().string());
      if (it->is_directory(error)) folders.push_back(name + "\\");
      else if (matchesFilter(name)) files.push_back(name);
    }
    std::sort(folders.begin(), folders.end(), LessNoCase);
    std::sort(files.begin(), files.end(), LessNoCase);
    entries_.insert(entries_.end(), folders.begin(), folders.end());
    entries_.insert(entries_.end(), files.begin(), files.end());
  }
  for (const std::string& entry : entries_) list_->add(Utf8FromAnsi(entry).c_str());
  redraw();
}

// A click on an entry: a file's name goes into the name field; a double
// click opens a folder or chooses the file.
void FileDialogWindow::opened(int line) {
  if (line < 0 || line >= static_cast<int>(entries_.size())) return;
  const std::string& entry = entries_[line];
  const bool folder = entry == ".." || entry.back() == '\\';
  if (!folder) name_->value(Utf8FromAnsi(entry).c_str());
  if (!Fl::event_clicks()) return;
  Fl::event_clicks(0);
  if (!folder) return choose();
  if (entry != "..") return list(folder_ + entry);
  // Up: the parent folder, or the drives from a drive's root.
  const std::string trimmed = folder_.substr(0, folder_.size() - 1);
  list(trimmed.size() <= 2 ? "" : FolderOf(trimmed));
}

void FileDialogWindow::choose() {
  std::string name = AnsiFromUtf8(name_->value());
  name.erase(0, name.find_first_not_of(' '));
  name.erase(name.find_last_not_of(' ') + 1);
  if (name.empty()) return;
  if (!IsFullPath(name) && folder_.empty()) return fl_beep();
  const std::string path = IsFullPath(name) ? name : folder_ + name;
  std::error_code error;
  const std::string posix = fileSystem_.posixPath(path);
  if (!posix.empty() && fs::is_directory(posix, error)) {
    name_->value("");
    return list(path);
  }
  if ((flags_ & kFileMustExist) && (posix.empty() || !fs::exists(posix, error))) return fl_beep();
  answer_ = path;
  done_ = true;
}

void FileDialogWindow::cancel() {
  answer_.reset();
  done_ = true;
}

int FileDialogWindow::handle(int event) {
  if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) return choose(), 1;
  if (event == FL_KEYBOARD && Fl::event_key() == FL_Escape) return cancel(), 1;
  return Fl_Double_Window::handle(event);
}

}  // namespace ui::windowed
