// The system registry: the dynamic linker and the command stack, the
// command line output and the test controls.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "accmd.h"
#include "aced.h"
#include "arx/host.h"
#include "arx/journal.h"
#include "rxregsvc.h"
#include "testing/scripted_user.h"

namespace {

using ::testing::HasSubstr;

int runs = 0;
void countRun() { ++runs; }
void otherRun() { runs += 100; }

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    arx::journal().clear();
    runs = 0;
  }
  void TearDown() override {
    arx::clearFailures();
    commands()->removeGroup("TEST_Group");
  }
  static AcEdCommandStack* commands() { return acedRegCmds; }
  static Acad::ErrorStatus add(const char* name, AcRxFunctionPtr function = countRun) {
    return commands()->addCommand("TEST_Group", name, name, ACRX_CMD_MODAL, function);
  }
};

TEST_F(RegistryTest, ServicesAreRegisteredUnderTheirNames) {
  EXPECT_NE(acrxDynamicLinker, nullptr);
  EXPECT_NE(acedRegCmds, nullptr);
  EXPECT_EQ(AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER)), nullptr);
  EXPECT_EQ(acrxSysRegistry()->at("NoSuchService"), nullptr);
}

TEST_F(RegistryTest, CommandIsFoundInAnyLetterCaseAndRuns) {
  AcEdCommand* created = nullptr;
  ASSERT_EQ(commands()->addCommand("TEST_Group", "TEST_RUN", "TEST_RUN", ACRX_CMD_MODAL, countRun,
                                    nullptr, -1, nullptr, &created),
            Acad::eOk);
  AcEdCommand* found = commands()->lookupCmd("test_run", true);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, created);
  EXPECT_STREQ(found->groupName(), "TEST_Group");
  EXPECT_EQ(found->functionCode(), -1);
  EXPECT_TRUE(arx::runCommand("Test_Run"));
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(arx::runCommand("TEST_MISSING"));
}

TEST_F(RegistryTest, BadOrDuplicateCommandsAreRefused) {
  ASSERT_EQ(add("TEST_ONE"), Acad::eOk);
  EXPECT_EQ(add("test_one", otherRun), Acad::eDuplicateKey);
  EXPECT_EQ(add(""), Acad::eInvalidInput);
  EXPECT_EQ(add("TEST_NULL", nullptr), Acad::eInvalidInput);
  arx::runCommand("TEST_ONE");
  EXPECT_EQ(runs, 1);
}

TEST_F(RegistryTest, RemovingTheGroupRemovesItsCommandsOnly) {
  ASSERT_EQ(add("TEST_A"), Acad::eOk);
  ASSERT_EQ(add("TEST_B"), Acad::eOk);
  ASSERT_EQ(commands()->addCommand("OTHER_Group", "TEST_C", "TEST_C", 0, countRun), Acad::eOk);
  EXPECT_EQ(commands()->removeGroup("test_group"), Acad::eOk);
  EXPECT_EQ(commands()->lookupCmd("TEST_A", true), nullptr);
  EXPECT_EQ(commands()->lookupCmd("TEST_B", true), nullptr);
  EXPECT_NE(commands()->lookupCmd("TEST_C", true), nullptr);
  EXPECT_EQ(commands()->removeGroup("TEST_Group"), Acad::eKeyNotFound);
  commands()->removeGroup("OTHER_Group");
}

TEST_F(RegistryTest, CallsAreJournalledInOrder) {
  add("TEST_J");
  commands()->removeGroup("TEST_Group");
  acedDefun("C:TEST_J", 12);
  acedUndef("C:TEST_J", 12);
  EXPECT_EQ(arx::journal().text(),
            "addCommand TEST_Group TEST_J\nremoveGroup TEST_Group\n"
            "acedDefun C:TEST_J 12\nacedUndef C:TEST_J 12\n");
}

TEST_F(RegistryTest, PlannedFailuresHitTheNextCallOnly) {
  const struct {
    const char* call;
    bool (*attempt)();
  } cases[] = {
      {"addCommand", [] { return add("TEST_F") == Acad::eOk; }},
      {"removeGroup", [] { add("TEST_G"); return commands()->removeGroup("TEST_Group") == Acad::eOk; }},
      {"acedDefun", [] { return acedDefun("TEST_F", 1) == RTNORM; }},
      {"loadModule", [] { return acrxDynamicLinker->loadModule("acISMobj16.dbx", false); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    arx::failNext(c.call);
    EXPECT_FALSE(c.attempt()) << c.call;
    EXPECT_TRUE(c.attempt()) << c.call;
  }
}

TEST_F(RegistryTest, EditorsOwnRasterModuleLoadsWithoutAFile) {
  EXPECT_TRUE(acrxDynamicLinker->loadModule("ACISMOBJ16.DBX", true));
  EXPECT_TRUE(acrxDynamicLinker->loadModule("acISMobj16.dbx", true));  // already there
}

TEST_F(RegistryTest, MissingModuleIsExplainedOnTheCommandLine) {
  const rwtest::ScriptedUser user;
  EXPECT_FALSE(acrxDynamicLinker->loadModule("Z:\\nowhere\\Missing.arx", true));
  EXPECT_THAT(user.transcript(), HasSubstr("Unable to load Z:\\nowhere\\Missing.arx"));
  const arx::LoadResult result = arx::loadApplication("Z:\\nowhere\\Missing.arx");
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
}

TEST_F(RegistryTest, PrintfFormatsOntoTheCommandLine) {
  const rwtest::ScriptedUser user;
  EXPECT_EQ(acutPrintf("\n%s: %d layers, %.2f\n", "Plot", 3, 1.5), RTNORM);
  EXPECT_THAT(user.transcript(), HasSubstr("Plot: 3 layers, 1.50"));
}

TEST_F(RegistryTest, UnknownApplicationsCannotBeUnlockedOrRegistered) {
  int notAnApp = 0;
  EXPECT_FALSE(acrxDynamicLinker->unlockApplication(&notAnApp));
  EXPECT_EQ(acrxRegisterAppMDIAware(&notAnApp), Acad::eInvalidInput);
}

}  // namespace
