#pragma once
// Panels and pictures.
#include <StdCtrls.hpp>

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* AOwner) : TWinControl(AOwner) { TabStop = false; }
  AnsiString ClassWord() const override { return "Panel"; }
};

class TImage : public TControl {
 public:
  explicit TImage(TComponent* AOwner) : TControl(AOwner), Picture(&picture_) {}
  TPicture* const Picture;
  bool Stretch = false;
  AnsiString ClassWord() const override { return "Image"; }
  AnsiString Describe() const override;

 private:
  TPicture picture_;
};
