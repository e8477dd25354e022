#pragma once
// Menu items.
#include <Classes.hpp>

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}
  AnsiString Caption;
  bool Enabled = true;
  TNotifyEvent OnClick;
};
