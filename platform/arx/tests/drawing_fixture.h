#pragma once
// Shared helpers of the drawing tests: a fresh drawing in a fresh temp folder.
#include <gtest/gtest.h>

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
  std::string picture(const std::string& name, int width, int height) {
    std::ofstream out(path(name), std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n" << std::string(std::size_t(width) * height * 3, '\x80');
    return win32::ToWindowsPath(path(name));
  }
  void writeText(const std::string& name, const std::string& text) { std::ofstream(path(name), std::ios::binary) << text; }

  std::string dir;
};

}  // namespace drawing_test
