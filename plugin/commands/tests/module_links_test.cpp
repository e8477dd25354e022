// What MoXi.arx links: the platform the real plug-in links (the drawing
// editor's API, MFC, COM, Win32 with its dialogs, the C and C++ runtime) and
// nothing else; outside programs such as the photo editor are reached through
// COM, never linked.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "testing/command.h"

namespace {

// The NEEDED entries of the module's dynamic section, as readelf shows them.
std::vector<std::string> NeededLibraries(const std::string& module) {
  std::vector<std::string> needed;
  std::string output;
  rwtest::runCommand("readelf -d '" + module + "'", output);
  std::istringstream lines(output);
  for (std::string text; std::getline(lines, text);) {
    const std::string::size_type open = text.find("Shared library: [");
    if (text.find("(NEEDED)") == std::string::npos || open == std::string::npos) continue;
    const std::string::size_type first = open + 17;
    needed.push_back(text.substr(first, text.find(']', first) - first));
  }
  return needed;
}

TEST(ModuleLinks, OnlyThePlatformOfTheRealPlugInIsLinked) {
  const std::set<std::string> platform = {"libarx.so",  "libmfc.so",       "libcom.so",     "libwin32.so",
                                          "libui.so",   "libstdc++.so.6",  "libgcc_s.so.1", "libc.so.6",
                                          "libm.so.6"};
  const std::vector<std::string> needed = NeededLibraries(MOXI_MODULE);
  ASSERT_THAT(needed, ::testing::Contains("libarx.so")) << "readelf gave no dynamic section";
  for (const std::string& library : needed) {
    SCOPED_TRACE(library);
    // The sanitizer runtimes of an instrumented build are not the plug-in's.
    if (library.starts_with("libasan.so") || library.starts_with("libubsan.so")) continue;
    EXPECT_TRUE(platform.contains(library)) << "MoXi.arx links a library the real plug-in does not";
  }
  EXPECT_THAT(needed, ::testing::Not(::testing::Contains(::testing::HasSubstr("photoshop"))));
}

}  // namespace
