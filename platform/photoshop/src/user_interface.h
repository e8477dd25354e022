#pragma once
// The editor's user-interface thread: its top-level window of class
// "Photoshop" and the user working in it.
#include <future>
#include <thread>

#include <windows.h>

namespace photoshop::detail {

class UserInterface {
 public:
  // Starts the thread and waits until its window exists.
  UserInterface();
  // Closes the window and ends the thread.
  ~UserInterface();
  UserInterface(const UserInterface&) = delete;
  UserInterface& operator=(const UserInterface&) = delete;

 private:
  void run(std::promise<HWND>& ready);
  std::thread thread_;
  HWND window_ = nullptr;
};

}  // namespace photoshop::detail
