#pragma once
// The driver's own windows: message boxes and file dialogs. Each is a modal
// window that ends with the person's answer; `done()` tells when.
#include <FL/Fl_Double_Window.H>

#include <map>
#include <optional>
#include <string>

#include "ui/windowed_driver.h"

class Fl_Hold_Browser;
class Fl_Input;
class Fl_Choice;
class Fl_Box;

namespace ui::windowed {

class MessageBoxWindow : public Fl_Double_Window {
 public:
  explicit MessageBoxWindow(const MessageBoxRequest& request);
  bool done() const { return answer_ != 0; }
  int answer() const { return answer_; }  // the button's id (IDOK, IDYES, ...)
  const std::map<std::string, Fl_Widget*>& widgets() const { return widgets_; }
  int handle(int event) override;

 private:
  void press(int button) { answer_ = button; }
  void closeBox();
  std::vector<int> buttons_;
  int defaultButton_ = 0;
  int answer_ = 0;
  std::map<std::string, Fl_Widget*> widgets_;
};

// An open or save dialog over the drive map: the drives are the top folders,
// a folder lists its folders and the files the chosen filter lets through.
class FileDialogWindow : public Fl_Double_Window {
 public:
  FileDialogWindow(const FileDialogRequest& request, const WindowedFileSystem& fileSystem);
  bool done() const { return done_; }
  // The chosen Windows path; nothing when cancelled.
  const std::optional<std::string>& answer() const { return answer_; }
  const std::map<std::string, Fl_Widget*>& widgets() const { return widgets_; }
  // The folder shown (a Windows path; "" for the drives).
  const std::string& folder() const { return folder_; }
  int handle(int event) override;

 private:
  void list(const std::string& windowsFolder);
  void choose();
  void opened(int line);
  void cancel();
  bool matchesFilter(const std::string& name) const;

  const WindowedFileSystem& fileSystem_;
  unsigned flags_ = 0;  // OFN_*
  std::vector<std::pair<std::string, std::string>> filters_;  // description, patterns
  std::string folder_;
  std::vector<std::string> entries_;  // as listed: "..", "NAME\" for folders, file names (code page 1252)
  Fl_Box* where_ = nullptr;
  Fl_Hold_Browser* list_ = nullptr;
  Fl_Input* name_ = nullptr;
  Fl_Choice* filter_ = nullptr;
  bool done_ = false;
  std::optional<std::string> answer_;
  std::map<std::string, Fl_Widget*> widgets_;
};

}  // namespace ui::windowed
