// Colours and bitmaps.
#include <Graphics.hpp>

#include <cstdio>
#include <windows.h>

namespace {

struct NamedColor {
  TColor color;
  const char* name;
  int rgb;  // the classic scheme's value of a system colour
};

const NamedColor kColors[] = {
    {clScrollBar, "clScrollBar", 0xC8C8C8},   {clBackground, "clBackground", 0x000000},
    {clActiveCaption, "clActiveCaption", 0x6A240A}, {clInactiveCaption, "clInactiveCaption", 0x808080},
    {clMenu, "clMenu", 0xC0C0C0},             {clWindow, "clWindow", 0xFFFFFF},
    {clWindowFrame, "clWindowFrame", 0x000000}, {clMenuText, "clMenuText", 0x000000},
    {clWindowText, "clWindowText", 0x000000}, {clCaptionText, "clCaptionText", 0xFFFFFF},
    {clActiveBorder, "clActiveBorder", 0xC0C0C0}, {clInactiveBorder, "clInactiveBorder", 0xC0C0C0},
    {clAppWorkSpace, "clAppWorkSpace", 0x808080}, {clHighlight, "clHighlight", 0x6A240A},
    {clHighlightText, "clHighlightText", 0xFFFFFF}, {clBtnFace, "clBtnFace", 0xC0C0C0},
    {clBtnShadow, "clBtnShadow", 0x808080},   {clGrayText, "clGrayText", 0x808080},
    {clBtnText, "clBtnText", 0x000000},       {clBlack, "clBlack", clBlack},
    {clWhite, "clWhite", clWhite},            {clRed, "clRed", clRed},
    {clGreen, "clGreen", clGreen},            {clBlue, "clBlue", clBlue},
    {clSilver, "clSilver", clSilver},         {clGray, "clGray", clGray}};

const NamedColor* Find(TColor color) {
  for (const auto& c : kColors)
    if (c.color == color) return &c;
  return nullptr;
}

unsigned Little(const unsigned char* p, int bytes) {
  unsigned v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

}  // namespace

int ColorToRGB(TColor color) {
  if (const NamedColor* c = Find(color)) return c->rgb;
  return color & 0xFFFFFF;
}

AnsiString ColorToString(TColor color) {
  if (const NamedColor* c = Find(color)) return c->name;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
  return buffer;
}

// A BMP file: "BM", file size, reserved, pixel offset; then the info header
// with its size, width and height (negative height: top-down rows).
void TBitmap::LoadFromStream(TStream* stream) {
  std::vector<unsigned char> bytes;
  unsigned char chunk[4096];
  for (int n; (n = stream->Read(chunk, sizeof chunk)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
    throw EInvalidGraphic("Bitmap image is not valid");
  const unsigned infoSize = Little(&bytes[14], 4);
  int width = 0, height = 0;
  if (infoSize >= 40 && bytes.size() >= 54) {
    width = static_cast<int>(Little(&bytes[18], 4));
    height = static_cast<int>(Little(&bytes[22], 4));
  } else if (infoSize == 12) {
    width = static_cast<int>(Little(&bytes[18], 2));
    height = static_cast<int>(Little(&bytes[20], 2));
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || Little(&bytes[10], 4) >= bytes.size())
    throw EInvalidGraphic("Bitmap image is not valid");
  data_ = std::make_shared<const std::string>(bytes.begin(), bytes.end());
  Width = width;
  Height = height;
}

void TBitmap::LoadFromFile(const AnsiString& fileName) {
  HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EFOpenError("Cannot open file \"" + fileName + "\"");
  TMemoryStream stream;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) stream.Write(buffer, static_cast<int>(n));
  CloseHandle(file);
  stream.Seek(0, soFromBeginning);
  LoadFromStream(&stream);
}
