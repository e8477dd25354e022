#pragma once
// Names for the cases of parameterised tests, taken from a text of the case.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace rwtest {

// `text` as a test name: every character but letters and digits becomes '_'.
std::string testName(std::string_view text);

// Names each case by its member `name`:
//   INSTANTIATE_TEST_SUITE_P(Cases, X, ::testing::ValuesIn(kCases), rwtest::CaseName());
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return testName(info.param.name);
  }
};

// Names each case by another member: rwtest::caseNameBy(&PictureCase::type).
template <class Case, class Text>
auto caseNameBy(Text Case::*member) {
  return [member](const ::testing::TestParamInfo<Case>& info) { return testName(info.param.*member); };
}

}  // namespace rwtest
