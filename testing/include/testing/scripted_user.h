#pragma once
// The user of an in-process test: a scripted driver with the test's answers,
// installed as the process's UI driver, its transcript kept in memory. When
// the user goes, the process's driver goes back to the default one.
#include <memory>
#include <string>
#include <vector>

#include "ui/scripted_driver.h"

namespace rwtest {

class ScriptedUser {
 public:
  // Throws ui::AnswersError on a malformed answer, as the hosts refuse it.
  explicit ScriptedUser(const std::string& answers = "");
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // Starts again with these answers and an empty transcript.
  void answer(const std::string& answers);
  // Starts again with a driver of the test's own (one that injects a fault).
  void use(std::unique_ptr<ui::ScriptedDriver> driver);

  ui::ScriptedDriver& driver() const { return *driver_; }
  std::string transcript() const { return driver_->transcript(); }
  std::vector<ui::Answer> remainingAnswers() const { return driver_->remainingAnswers(); }

 private:
  ui::ScriptedDriver* driver_ = nullptr;  // owned by the process (ui::setDriver)
};

}  // namespace rwtest
