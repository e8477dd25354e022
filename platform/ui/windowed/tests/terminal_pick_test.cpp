// Picks asked on the terminal: what a reply line means, and the asking.
#include <gtest/gtest.h>

#include <cstdio>

#include "terminal_pick.h"

namespace ui::windowed {
namespace {

using Kind = PickAnswer::Kind;

TEST(TerminalPicks, RepliesAreAHandleNothingOrEscape) {
  const struct {
    const char* line;
    bool meaningful;
    Kind kind;
    const char* handle;
  } cases[] = {
      {"2a", true, Kind::Entity, "2A"},      {"  1F3  \r", true, Kind::Entity, "1F3"},
      {"", true, Kind::Nothing, ""},         {"   ", true, Kind::Nothing, ""},
      {"\x1b", true, Kind::Cancel, ""},      {"esc", true, Kind::Cancel, ""},
      {"Cancel", true, Kind::Cancel, ""},    {"zz", false, Kind::Cancel, ""},
      {"12345678901234567", false, Kind::Cancel, ""},  // longer than a handle
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto answer = ReadPickReply(c.line);
    ASSERT_EQ(answer.has_value(), c.meaningful);
    if (!answer) continue;
    EXPECT_EQ(answer->kind, c.kind);
    EXPECT_EQ(answer->handle, c.handle);
  }
}

// The prompt is asked again after a reply that means nothing; the end of the
// input cancels.
TEST(TerminalPicks, AsksAgainUntilAReplyMeansSomething) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  ASSERT_TRUE(in && out);
  std::fputs("what?\n7b\n", in);
  std::rewind(in);
  const PickAnswer first = AskPick("Select objects: ", out, in);
  EXPECT_EQ(first.kind, Kind::Entity);
  EXPECT_EQ(first.handle, "7B");
  EXPECT_EQ(AskPick("Select objects: ", out, in).kind, Kind::Cancel);  // nothing left to read
  std::rewind(out);
  char text[512] = {};
  text[std::fread(text, 1, sizeof text - 1, out)] = '\0';
  EXPECT_NE(std::string(text).find("Select objects: "), std::string::npos);
  EXPECT_NE(std::string(text).find("An entity handle in hex, nothing, or Esc"), std::string::npos);
  std::fclose(in);
  std::fclose(out);
}

}  // namespace
}  // namespace ui::windowed
