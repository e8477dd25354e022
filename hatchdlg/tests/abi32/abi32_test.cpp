// The 32-bit dfelmar2.dll as a host built elsewhere sees it: loaded by name,
// DoSchraff found by name and called with the standard Windows convention on
// a record laid out by raw offsets.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "../library_exports.h"
#include "host_record.h"
#include "testing/scripted_user.h"

namespace {

class Abi32 : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA("dfelmar2.dll");
    ASSERT_NE(module_, nullptr);
    doSchraff_ = reinterpret_cast<HostDoSchraff>(reinterpret_cast<void*>(GetProcAddress(module_, "DoSchraff")));
    ASSERT_NE(doSchraff_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  // Calls DoSchraff with the answers; checks the return and the stack.
  void Call(const char* answers, HostRecord* target) {
    user_.answer(answers);
    int balanced = 0;
    EXPECT_EQ(HostCall(doSchraff_, target, &balanced), 1);
    EXPECT_TRUE(balanced) << "DoSchraff did not remove its argument";
    EXPECT_TRUE(user_.remainingAnswers().empty());
  }

  void ExpectReservedUntouched() const {
    EXPECT_EQ(record.reserved4, HOST_UNTOUCHED);
    EXPECT_EQ(record.reserved16, HOST_UNTOUCHED);
    EXPECT_EQ(record.reserved28, HOST_UNTOUCHED);
  }

  HostRecord record{};

 private:
  HMODULE module_ = nullptr;
  HostDoSchraff doSchraff_ = nullptr;
  rwtest::ScriptedUser user_;
};

TEST_F(Abi32, ExportsOnlyTheEntryPoints) {
  EXPECT_EQ(hatchtest::ExportedSymbols(DFELMAR2_DLL), (std::set<std::string>{"DllMain", "DoSchraff"}));
}

TEST_F(Abi32, ApplyWritesExitReasonActionAndPatternName) {
  HostFill(&record, 2, "HOSTMUSTER");
  Call("form frmSchraffur click AnwendenButton\n", &record);
  EXPECT_EQ(record.exitReason, 0);
  EXPECT_EQ(record.action, 8);
  EXPECT_STREQ(record.patternName, "HOSTMUSTER");
  EXPECT_EQ(record.patternType, 2);
  EXPECT_EQ(record.scale, 2.5);
  EXPECT_EQ(record.angle, 30.0);
  ExpectReservedUntouched();
}

TEST_F(Abi32, CallbacksGetTheRecordsAddressAndCancelRestoresSavedFields) {
  HostFill(&record, 0, "");
  Call("form frmSchraffur click HilfeButton\n"
       "form frmSchraffur click optionenButton\n"
       "form FormOptionen select-index ComboBoxSchraffurStil 1\n"
       "form FormOptionen close\n"
       "form frmSchraffur click Punkte_waehlenButton\n",
       &record);
  EXPECT_EQ(hostCalls.help, 1);
  EXPECT_EQ(hostCalls.optionsCancel, 1);
  EXPECT_EQ(hostCalls.lastRecord, &record);
  EXPECT_EQ(record.hatchStyle, 2);
  EXPECT_EQ(record.fromBoundary, 0);
  EXPECT_EQ(record.islandDetection, 0);
  EXPECT_EQ(record.exitReason, 2);
  EXPECT_EQ(record.action, 1);
  EXPECT_STREQ(record.patternName, "ANSI31");
  ExpectReservedUntouched();
}

TEST_F(Abi32, OptionsAndNumbersLandAtTheirOffsets) {
  HostFill(&record, 1, "");
  Call("form frmSchraffur type AbstandEdit 5\n"
       "form frmSchraffur click optionenButton\n"
       "form FormOptionen select-index ComboBoxSchraffurStil 2\n"
       "form FormOptionen uncheck CheckBoxInselnErkennen\n"
       "form FormOptionen click ButtonUmgrenzungslinien\n",
       &record);
  EXPECT_EQ(record.spacing, 1.005);
  EXPECT_EQ(record.hatchStyle, 2);
  EXPECT_EQ(record.islandDetection, 0);
  EXPECT_EQ(record.newBoundary, 1);
  EXPECT_EQ(record.exitReason, 2);
  EXPECT_EQ(record.action, 9);
  EXPECT_EQ(record.patternType, 1);
  EXPECT_EQ(hostCalls.optionsCancel, 0);
  ExpectReservedUntouched();
}

TEST_F(Abi32, ANullRecordIsAccepted) {
  Call("form frmSchraffur click AnwendenButton\n", nullptr);
}

}  // namespace
