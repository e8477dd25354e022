// dfelmar2.dll exports its entry points and nothing else.
#include <gtest/gtest.h>

#include "library_exports.h"

namespace hatchtest {
namespace {

TEST(Exports, OnlyTheEntryPoints) {
  EXPECT_EQ(ExportedSymbols(DFELMAR2_DLL), (std::set<std::string>{"DllMain", "DoSchraff"}));
}

}  // namespace
}  // namespace hatchtest
