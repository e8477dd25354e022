#pragma once
// Shared helpers of the drawing tests: a fresh drawing in a fresh temp folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "arx/drawing.h"
#include "win32/posix.h"

namespace drawing_test {

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/arx-drawing-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    arx::newDrawing();
  }
  void TearDown() override {
    arx::newDrawing();
    arx::clearRefusals();
    std::filesystem::remove_all(dir);
  }
  AcDbDatabase& db() { return arx::workingDrawing(); }
  std::string path(const std::string& name) const { return dir + "/" + name; }
  // A small binary PPM picture of width x height pixels; returns its Windows path.
  // A grey 24-bit Windows bitmap of `width` x `height` pixels.
  std::string picture(const std::string& name, int width, int height) {
    const std::uint32_t rowBytes = (std::uint32_t(width) * 3 + 3) & ~3u, pixelBytes = rowBytes * height;
    std::string header = "BM";
    auto put = [&header](std::uint32_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) header += char(value >> (8 * i));
    };
    put(54 + pixelBytes, 4), put(0, 4), put(54, 4);                    // file header
    put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2);  // info header
    put(0, 4), put(pixelBytes, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    std::ofstream(path(name), std::ios::binary) << header << std::string(pixelBytes, '\x80');
    return win32::ToWindowsPath(path(name));
  }
  void writeText(const std::string& name, const std::string& text) { std::ofstream(path(name), std::ios::binary) << text; }
  std::string readText(const std::string& name) {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string dir;
};

}  // namespace drawing_test
