// LISP calls written in a script: parsing and showing values.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "lisp_call.h"

namespace {

using ::testing::HasSubstr;

using acadhost::formatLispValue;
using acadhost::parseLispCall;

TEST(LispCallTest, CallsBecomeListsThatShowAsWritten) {
  const struct {
    const char* line;
    const char* shown;  // the list as a LISP value
  } cases[] = {
      {"(C:TAVO_IMGEDIT)", "\"C:TAVO_IMGEDIT\""},
      {"(tavo_getUserIniFile \"TAVO_IMGCREATE\" \"Rasterwerk.ini\")",
       "(\"tavo_getUserIniFile\" \"TAVO_IMGCREATE\" \"Rasterwerk.ini\")"},
      {"(f 12 70000 1.5 nil T)", "(\"f\" 12 70000 1.5 nil T)"},
      {"( f  \"a \\\"b\\\" c:\\\\d\" )", "(\"f\" \"a \\\"b\\\" c:\\\\d\")"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string error;
    resbuf* call = parseLispCall(c.line, error);
    ASSERT_NE(call, nullptr) << c.line << ": " << error;
    EXPECT_EQ(formatLispValue(call), c.shown) << c.line;
    acutRelRb(call);
  }
}

TEST(LispCallTest, IntegersTakeTheSmallestFittingType) {
  std::string error;
  resbuf* call = parseLispCall("(f 32767 32768)", error);
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(call->rbnext->restype, RTSHORT);
  EXPECT_EQ(call->rbnext->rbnext->restype, RTLONG);
  acutRelRb(call);
}

TEST(LispCallTest, MalformedCallsAreExplained) {
  const struct {
    const char* line;
    const char* reason;
  } cases[] = {
      {"(f \"open", "unterminated string"},
      {"(f (g))", "nested lists"},
      {"()", "names no function"},
      {"(\"f\")", "names no function"},
      {"(f x)", "unsupported argument x"},
      {"(f", "missing closing parenthesis"},
      {"f)", "(NAME ARGUMENTS...)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string error;
    EXPECT_EQ(parseLispCall(c.line, error), nullptr) << c.line;
    EXPECT_THAT(error, HasSubstr(c.reason)) << c.line << ": " << error;
  }
}

TEST(LispCallTest, ValuesShowAsAtTheLispPrompt) {
  resbuf* list = acutBuildList(RTLB, RTSTR, "a", RTSHORT, 1, RTLE, 0);
  EXPECT_EQ(formatLispValue(list), "(\"a\" 1)");
  acutRelRb(list);
  EXPECT_EQ(formatLispValue(nullptr), "nil");
}

}  // namespace
