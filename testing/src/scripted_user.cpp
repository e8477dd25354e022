#include "testing/scripted_user.h"

namespace rwtest {

ScriptedUser::ScriptedUser(const std::string& answers) { answer(answers); }

ScriptedUser::~ScriptedUser() { ui::setDriver(nullptr); }

void ScriptedUser::answer(const std::string& answers) { use(ui::ScriptedDriver::fromText(answers)); }

void ScriptedUser::use(std::unique_ptr<ui::ScriptedDriver> driver) {
  driver->writeTranscriptNowhere();
  driver_ = driver.get();
  ui::setDriver(std::move(driver));
}

}  // namespace rwtest
