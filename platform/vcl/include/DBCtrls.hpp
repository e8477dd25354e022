#pragma once
// Data-bound controls.
#include <StdCtrls.hpp>

// A check box bound to a field of a data source; here without a data source.
class TDBCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
  AnsiString DataField;
  AnsiString ClassWord() const override { return "DBCheckBox"; }
};
