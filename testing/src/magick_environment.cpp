// ImageMagick made ready once for the test program, before its first test:
// linking rw::test_kit_magick is all a test needs.
#include <Magick++.h>
#include <gtest/gtest.h>

namespace {

class MagickEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { Magick::InitializeMagick(nullptr); }
};

[[maybe_unused]] ::testing::Environment* const kMagick = ::testing::AddGlobalTestEnvironment(new MagickEnvironment);

}  // namespace
