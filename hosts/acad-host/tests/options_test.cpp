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

TEST(OptionsTest, TheUserInterfaceAndTheRecordOfAWindowedRun) {
  std::string error;
  const auto windows = parseOptions({"--ui", "windows", "--record", "given.answers"}, error);
  ASSERT_TRUE(windows) << error;
  EXPECT_EQ(windows->ui, "windows");
  EXPECT_EQ(windows->record, "given.answers");
  EXPECT_EQ(parseOptions({"--ui", "script", "--answers", "a.txt"}, error).value().ui, "script");
  EXPECT_EQ(parseOptions({}, error).value().ui, "");  // chosen by the display and the answers
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
      {{"--ui", "web"}, "bad value for --ui"},
      {{"--ui", "windows", "--answers", "a.txt"}, "--answers is for --ui script"},
      {{"--ui", "script", "--record", "r.txt"}, "--record writes the answers a person gives"},
      {{"--answers", "a.txt", "--record", "r.txt"}, "--record writes the answers a person gives"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    std::string error;
    EXPECT_FALSE(parseOptions(c.arguments, error)) << c.reason;
    EXPECT_THAT(error, HasSubstr(c.reason));
  }
}

}  // namespace
