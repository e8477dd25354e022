// acad-host's command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "options.h"

namespace {

using ::testing::HasSubstr;

using acadhost::Options;
using acadhost::parseOptions;

TEST(OptionsTest, EveryOptionLandsInItsField) {
  std::string error;
  const auto options = parseOptions({"--script", "s.scr", "--answers", "a.txt", "--transcript", "t.txt",
                                     "--journal", "j.txt", "--drive", "D=/tmp/d", "--drive", "e=/srv",
                                     "--user-dir", "/tmp/u", "--module", "one.arx", "--module", "two.arx",
                                     "--app", "Test.arx", "--no-companion", "--save-as", "out.dxf",
                                     "--com-server", "{6DECC242-87EF-11CF-86B4-444553540000}=none",
                                     "--com-server", "{0FEDCBA9-8765-4321-0807-060504030201}=/srv/server.so",
                                     "in.dxf"},
                                    error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->script, "s.scr");
  EXPECT_EQ(options->answers, "a.txt");
  EXPECT_EQ(options->transcript, "t.txt");
  EXPECT_EQ(options->journal, "j.txt");
  ASSERT_EQ(options->drives.size(), 2u);
  EXPECT_EQ(options->drives[0].letter, 'D');
  EXPECT_EQ(options->drives[0].folder, "/tmp/d");
  EXPECT_EQ(options->drives[1].letter, 'e');
  EXPECT_EQ(options->userDirectory, "/tmp/u");
  EXPECT_EQ(options->modules, (std::vector<std::string>{"one.arx", "two.arx"}));
  EXPECT_EQ(options->application, "Test.arx");
  EXPECT_TRUE(options->loadApplication);
  EXPECT_FALSE(options->loadCompanion);
  EXPECT_EQ(options->saveAs, "out.dxf");
  ASSERT_EQ(options->comServers.size(), 2u);
  EXPECT_EQ(options->comServers[0].clsid, "{6DECC242-87EF-11CF-86B4-444553540000}");
  EXPECT_EQ(options->comServers[0].module, "none");
  EXPECT_EQ(options->comServers[1].module, "/srv/server.so");
  EXPECT_EQ(options->drawing, "in.dxf");
}

TEST(OptionsTest, DefaultsLoadCompanionAndApplication) {
  std::string error;
  const auto options = parseOptions({}, error);
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->loadCompanion);
  EXPECT_TRUE(options->loadApplication);
  EXPECT_TRUE(options->application.empty());
  EXPECT_TRUE(parseOptions({"--app", "none"}, error).value().application.empty());
  EXPECT_FALSE(parseOptions({"--app", "none"}, error).value().loadApplication);
}

TEST(OptionsTest, MalformedCommandLinesAreRefusedWithAReason) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{"--script"}, "--script needs a value"},
      {{"--drive", "DD"}, "bad value for --drive"},
      {{"--drive", "1=/tmp"}, "bad value for --drive"},
      {{"--module", ""}, "bad value for --module"},
      {{"--com-server", "server.so"}, "bad value for --com-server"},
      {{"--com-server", "{6DECC242-87EF-11CF-86B4-444553540000}="}, "bad value for --com-server"},
      {{"--frobnicate"}, "unknown option --frobnicate"},
      {{"a.dxf", "b.dxf"}, "only one drawing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    std::string error;
    EXPECT_FALSE(parseOptions(c.arguments, error)) << c.reason;
    EXPECT_THAT(error, HasSubstr(c.reason));
  }
}

}  // namespace
