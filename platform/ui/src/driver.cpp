#include <mutex>

#include "ui/scripted_driver.h"

namespace ui {
namespace {

std::mutex installMutex;
// Never destroyed: modules may still report while the process exits. Hosts
// install their own driver and reset it at exit, which closes the transcript.
std::unique_ptr<Driver>& installed() {
  static auto* current = new std::unique_ptr<Driver>;
  return *current;
}

}  // namespace

Driver& driver() {
  std::lock_guard lock(installMutex);
  auto& current = installed();
  if (!current) current = std::make_unique<ScriptedDriver>(std::deque<Answer>{});
  return *current;
}

void setDriver(std::unique_ptr<Driver> driver) {
  std::lock_guard lock(installMutex);
  installed() = std::move(driver);
}

}  // namespace ui
