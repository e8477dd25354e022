#pragma once
// The X server's side of the windows, for the gui tests: a window's picture
// as the server shows it, and the close box a window manager sends. Kept
// apart from the tests' own headers: the X headers name things the form
// toolkit and the platform's headers name too.
#include <filesystem>

class Fl_Window;

namespace guitest {

// The window's picture, written to `path` (PNG).
bool Screenshot(const Fl_Window& window, const std::filesystem::path& path);
bool Screenshot(unsigned long windowId, const std::filesystem::path& path);
// The colour (0xRRGGBB) of a pixel of a screenshot.
unsigned PixelOf(const std::filesystem::path& png, int x, int y);
// The close box of the top-level window `windowId`, as a window manager
// reports it (WM_DELETE_WINDOW); false without a display.
bool SendCloseBox(unsigned long windowId);

}  // namespace guitest
