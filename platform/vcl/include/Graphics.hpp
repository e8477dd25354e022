#pragma once
// Colours (fixed and system colours) and pictures.
#include <Classes.hpp>

#include <memory>
#include <string>

typedef int TColor;

// System colours carry the system colour index with the high bit set; they
// follow the user's colour scheme (ColorToRGB resolves them).
const TColor clSystemColor = static_cast<TColor>(0x80000000u);
const TColor clScrollBar = clSystemColor | 0;
const TColor clBackground = clSystemColor | 1;
const TColor clActiveCaption = clSystemColor | 2;
const TColor clInactiveCaption = clSystemColor | 3;
const TColor clMenu = clSystemColor | 4;
const TColor clWindow = clSystemColor | 5;
const TColor clWindowFrame = clSystemColor | 6;
const TColor clMenuText = clSystemColor | 7;
const TColor clWindowText = clSystemColor | 8;
const TColor clCaptionText = clSystemColor | 9;
const TColor clActiveBorder = clSystemColor | 10;
const TColor clInactiveBorder = clSystemColor | 11;
const TColor clAppWorkSpace = clSystemColor | 12;
const TColor clHighlight = clSystemColor | 13;
const TColor clHighlightText = clSystemColor | 14;
const TColor clBtnFace = clSystemColor | 15;
const TColor clBtnShadow = clSystemColor | 16;
const TColor clGrayText = clSystemColor | 17;
const TColor clBtnText = clSystemColor | 18;

const TColor clBlack = 0x000000;
const TColor clWhite = 0xFFFFFF;
const TColor clRed = 0x0000FF;
const TColor clGreen = 0x008000;
const TColor clBlue = 0xFF0000;
const TColor clSilver = 0xC0C0C0;
const TColor clGray = 0x808080;

// The RGB value (0x00BBGGRR) of a fixed or system colour.
int ColorToRGB(TColor color);
// "clWindow" for named colours, else "$00BBGGRR".
AnsiString ColorToString(TColor color);

// A device-independent bitmap read from BMP data.
class TBitmap : public TObject {
 public:
  // Reads a BMP file image from the stream's position; EInvalidGraphic when
  // the data is not a bitmap.
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const AnsiString& fileName);
  int Width = 0;
  int Height = 0;
  bool Empty() const { return Width == 0 || Height == 0; }
  // The BMP file's bytes it was read from (a window shows them); null when
  // nothing was read.
  std::shared_ptr<const std::string> FileData() const { return data_; }

 private:
  std::shared_ptr<const std::string> data_;
};

class TPicture : public TObject {
 public:
  TPicture() : Bitmap(&bitmap_) {}
  TBitmap* const Bitmap;
  int Width() const { return bitmap_.Width; }
  int Height() const { return bitmap_.Height; }

 private:
  TBitmap bitmap_;
};
