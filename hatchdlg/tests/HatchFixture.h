#pragma once
// Loads a fresh copy of dfelmar2.dll (with or without a message file) from a
// temporary folder, answers its forms from a script and keeps the transcript.
#include <gtest/gtest.h>

#include <string>

#include "SchraffurRecord.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"
#include "testing/transcript.h"

namespace hatchtest {

// The host callbacks' record of calls.
struct Calls {
  int help = 0;
  int optionsCancel = 0;
  TSchraffurRecord* lastRecord = nullptr;
};
extern Calls calls;
void WINAPI CountHelp(TSchraffurRecord* record);
void WINAPI CountOptionsCancel(TSchraffurRecord* record);

class HatchTest : public ::testing::Test {
 protected:
  enum class MessageFile { Shipped, None, Custom };

  void SetUp() override;
  void TearDown() override;

  // Copies the library into the temporary folder with the message file and
  // loads it. `custom` is the file's text for MessageFile::Custom.
  void Load(MessageFile file = MessageFile::Shipped, const std::string& custom = "");
  // Runs DoSchraff on `record` (or null) with the answers; returns the
  // transcript of this call.
  std::string Run(const std::string& answers, TSchraffurRecord* record);
  std::string Run(const std::string& answers) { return Run(answers, &record); }

  // The Windows path of the message file beside the loaded library.
  std::string MessageFilePath() const;

  TSchraffurRecord record{};

 private:
  rwtest::TempFolder folder_{"hatchtest"};
  rwtest::ScriptedUser user_;
  HMODULE module_ = nullptr;
  TDoSchraff doSchraff_ = nullptr;
};

}  // namespace hatchtest
