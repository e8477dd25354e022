// The LISP function table: defining, calling with arguments and results,
// undefining, failures.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "aced.h"
#include "arx/host.h"
#include "arx/journal.h"

namespace {

constexpr int kEchoCode = 901;
constexpr int kFailCode = 902;
constexpr int kNestedCode = 903;
constexpr int kSilentCode = 904;
constexpr int kThrowCode = 905;

// Hands back its arguments (after a first value that the second replaces).
int echoArguments() {
  acedRetStr("replaced");
  return acedRetList(acedGetArgs()) == RTNORM ? RSRSLT : RSERR;
}

int failing() { return RSERR; }
int silent() { return RSRSLT; }
int throwing() { throw std::runtime_error("disk gone"); }

// Calls the echo function with "inner" and returns its result as its own.
int nested() {
  resbuf* args = acutBuildList(RTSTR, "test_echo", RTSTR, "inner", 0);
  resbuf* result = nullptr;
  const int status = acedInvoke(args, &result);
  acutRelRb(args);
  if (status != RTNORM) return RSERR;
  acedRetList(result);
  acutRelRb(result);
  return acedGetFunCode() == kNestedCode ? RSRSLT : RSERR;
}

class LispTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const struct {
      const char* name;
      int code;
      int (*handler)();
    } functions[] = {{"test_echo", kEchoCode, echoArguments},
                     {"test_fail", kFailCode, failing},
                     {"test_nested", kNestedCode, nested},
                     {"test_silent", kSilentCode, silent},
                     {"test_throw", kThrowCode, throwing}};
    for (const auto& f : functions) {
      ASSERT_EQ(acedDefun(f.name, static_cast<short>(f.code)), RTNORM);
      ASSERT_EQ(acedRegFunc(f.handler, f.code), RTNORM);
    }
  }
  void TearDown() override { arx::clearFailures(); }

  // Calls `name` with one string argument; the status, result in result_.
  int call(const char* name, const char* argument = "x") {
    resbuf* args = acutBuildList(RTSTR, name, RTSTR, argument, 0);
    const int status = acedInvoke(args, &result_);
    acutRelRb(args);
    return status;
  }
  ~LispTest() override { acutRelRb(result_); }

  resbuf* result_ = nullptr;
};

TEST_F(LispTest, ArgumentsReachTheFunctionAndItsValueComesBack) {
  ASSERT_EQ(call("test_echo", "Rasterwerk.ini"), RTNORM);
  ASSERT_NE(result_, nullptr);
  EXPECT_EQ(result_->restype, RTSTR);
  EXPECT_STREQ(result_->resval.rstring, "Rasterwerk.ini");
}

TEST_F(LispTest, NamesIgnoreLetterCase) {
  EXPECT_EQ(call("TEST_Echo"), RTNORM);
  EXPECT_TRUE(arx::isLispFunctionDefined("TEST_ECHO"));
}

TEST_F(LispTest, FailuresAreReportedAsError) {
  const struct {
    const char* name;
  } cases[] = {{"test_fail"}, {"test_throw"}, {"no_such_function"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(call(c.name), RTERROR) << c.name;
    EXPECT_EQ(result_, nullptr) << c.name;
  }
}

TEST_F(LispTest, FunctionWithoutValueGivesNoList) {
  EXPECT_EQ(call("test_silent"), RTNORM);
  EXPECT_EQ(result_, nullptr);
}

TEST_F(LispTest, NestedCallsKeepTheirOwnFunctionCodeAndArguments) {
  ASSERT_EQ(call("test_nested", "outer"), RTNORM);
  ASSERT_NE(result_, nullptr);
  EXPECT_STREQ(result_->resval.rstring, "inner");
}

TEST_F(LispTest, BadCallsAreRefused) {
  resbuf* notAName = acutBuildList(RTSHORT, 1, 0);
  EXPECT_EQ(acedInvoke(notAName, &result_), RTERROR);
  EXPECT_EQ(acedInvoke(nullptr, &result_), RTERROR);
  EXPECT_EQ(acedInvoke(notAName, nullptr), RTERROR);
  acutRelRb(notAName);
}

TEST_F(LispTest, PlannedFailureOfInvoke) {
  arx::failNext("acedInvoke");
  EXPECT_EQ(call("test_echo"), RTERROR);
  EXPECT_EQ(call("test_echo"), RTNORM);
}

TEST_F(LispTest, UndefinedFunctionIsGone) {
  ASSERT_EQ(acedDefun("test_temporary", 950), RTNORM);
  ASSERT_EQ(acedRegFunc(silent, 950), RTNORM);
  EXPECT_EQ(acedUndef("test_temporary", 951), RTERROR);  // wrong code
  EXPECT_EQ(acedUndef("TEST_TEMPORARY", 950), RTNORM);
  EXPECT_EQ(call("test_temporary"), RTERROR);
  EXPECT_EQ(acedUndef("test_temporary", 950), RTERROR);
}

TEST_F(LispTest, OutsideACallThereIsNoCodeAndNoArguments) {
  EXPECT_EQ(acedGetFunCode(), RTERROR);
  EXPECT_EQ(acedGetArgs(), nullptr);
  EXPECT_EQ(acedRetStr("nowhere"), RTERROR);
}

}  // namespace
