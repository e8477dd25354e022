#include "answers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/answer_kinds.h"

namespace ui::answers {
namespace {

using ::testing::HasSubstr;

struct SplitCase {
  std::string line;
  std::vector<std::string> words;
};

TEST(SplitWords, BlanksSeparateAndQuotesGroup) {
  const SplitCase cases[] = {
      {"", {}},
      {"  msgbox   yes \r", {"msgbox", "yes"}},
      {"file D:\\work\\plot.png", {"file", "D:\\work\\plot.png"}},
      {"file \"D:\\My Work\\\"", {"file", "D:\\My Work\\"}},
      {"dialog 12000 set 12002 \"\"", {"dialog", "12000", "set", "12002", ""}},
      {"form f set e \"say \"\"hi\"\"\"", {"form", "f", "set", "e", "say \"hi\""}},
      {"a\tb", {"a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(splitWords(c.line), c.words) << c.line;
}

TEST(SplitWords, UnterminatedQuoteIsRefused) {
  EXPECT_THROW(splitWords("file \"D:\\x"), std::invalid_argument);
}

TEST(QuoteWord, RoundTripsThroughSplit) {
  for (std::string w : {"plain", "", "two words", "a\"b", "C:\\dir\\"}) {
    SCOPED_TRACE(w);
    EXPECT_EQ(splitWords(quoteWord(w)), std::vector<std::string>{w});
  }
}

TEST(Parse, SkipsBlankAndCommentLinesAndKeepsLineNumbers) {
  auto answers = parse("# a comment \"unterminated\r\n\r\n  msgbox YES\r\npick 2a\n", "t");
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].kind, "msgbox");
  EXPECT_EQ(answers[0].words, std::vector<std::string>{"yes"});
  EXPECT_EQ(answers[0].line, 3);
  EXPECT_EQ(answers[1].line, 4);
}

TEST(Parse, AcceptsEveryDocumentedForm) {
  const char* text =
      "msgbox ok\nmsgbox cancel\nmsgbox tryagain\n"
      "file D:\\a.png\nfile cancel\n"
      "pick 1F\npick enter\npick cancel\n"
      "dialog 12000 set 12002 \"D:\\My Work\"\ndialog 12000 select 12010 PNG\n"
      "dialog 12000 select-index 12010 2\ndialog 12000 check 12020\n"
      "dialog 12000 uncheck 12020\ndialog 12000 click 1\ndialog 12000 focus 12002\n"
      "dialog 12000 leave 12002\ndialog 12000 mouse 10 20\ndialog 12000 close\n"
      "form frmSchraffur key edtWinkel Enter\nform frmSchraffur type edtWinkel 12.5\n";
  EXPECT_EQ(parse(text, "t").size(), 20u);
}

// A kind of another component: unknown until registered, then checked by
// its own rule (in any letter case when the kind says so).
TEST(Parse, KindsOfOtherComponentsAreKnownOnceRegistered) {
  try {
    parse("tool done\n", "t");
    ADD_FAILURE() << "an unregistered kind was accepted";
  } catch (const AnswersError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("t line 1: unknown kind of answer 'tool' (this program knows dialog "
                                               "file form msgbox pick"));
  }
  const auto onlyDone = [](const std::vector<std::string>& w) { return w.size() == 1 && w[0] == "done" ? "" : "expects done"; };
  registerAnswerKind({"tool", onlyDone, true});
  const auto answers = parse("TOOL Done\n", "t");
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].kind, "tool");
  EXPECT_EQ(answers[0].words, std::vector<std::string>{"done"});
  EXPECT_THROW(parse("tool later\n", "t"), AnswersError);
  EXPECT_THAT(answerKindNames(), ::testing::Contains("tool"));
}

struct BadCase {
  std::string text;
  std::string message;
};

TEST(Parse, RefusesMalformedAnswersNamingTheLine) {
  const BadCase cases[] = {
      {"msgbox maybe", "t line 1: expects one of ok"},
      {"\nmsgbox", "t line 2: expects one of ok"},
      {"file a b", "t line 1: expects one path"},
      {"pick xyz", "t line 1: expects an entity handle"},
      {"dialog 12000", "needs a target window and a verb"},
      {"dialog 12000 push 1", "unknown verb 'push'"},
      {"dialog 12000 check", "wrong number of words for 'check'"},
      {"dialog 12000 select-index 12010 two", "index must be a number"},
      {"dialog 12000 mouse 1 -2", "mouse needs two pixel numbers"},
      {"click 1", "unknown kind of answer 'click'"},
      {"file \"open", "t line 1: unterminated quote"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      parse(c.text, "t");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const AnswersError& e) {
      EXPECT_THAT(std::string(e.what()), HasSubstr(c.message))
          << c.text << " -> " << e.what();
    }
  }
}

}  // namespace
}  // namespace ui::answers
