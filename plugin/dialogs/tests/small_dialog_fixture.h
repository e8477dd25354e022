#pragma once
// The small dialogs run in-process: the editor with a fresh drawing and drive
// D:, the scripted user, and settings and edited-image values of a known state.
#include <cstdint>
#include <string>

#include "plot/tests/editor_fixture.h"
#include "settings/plugin_app.h"
#include "settings/plugin_settings.h"
#include "testing/transcript.h"

class SmallDialogTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    theSettings.psResolution = 72.0;
    theSettings.resolutionUnit = kUnitPixelPerInch;
    theSettings.frame = false;
    theSettings.transparency = true;
    theSettings.background = false;
    theSettings.program = kProgramPhotoshop;
    theSettings.gimpExecutable.clear();
  }

  // The line of control `id` in the latest record "dialog DIALOG EVENT" of
  // the transcript ("opened" or "closed"); "" when there is none.
  std::string ControlLine(int dialog, const std::string& event, int id) const {
    const std::string record = rwtest::lastBlock(Transcript(), "dialog " + std::to_string(dialog) + " " + event);
    return rwtest::controlLine(record, std::to_string(id));
  }

  // A small 24-bit BMP picture of w x h pixels in the test folder.
  void WriteBitmap(const std::string& name, int width, int height) const {
    const int row = (width * 3 + 3) & ~3;
    std::string data(14 + 40 + row * height, '\0');
    auto put = [&](size_t at, uint32_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    data[0] = 'B';
    data[1] = 'M';
    put(2, data.size(), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, row * height, 4);
    for (size_t i = 54; i < data.size(); ++i) data[i] = static_cast<char>(0x80);
    folder_.write(name, data);
  }
};
