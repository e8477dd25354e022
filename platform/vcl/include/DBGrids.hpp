#pragma once
// A data grid with its columns' titles.
#include <memory>

#include <Controls.hpp>

class TColumnTitle : public TObject {
 public:
  AnsiString Caption;
};

class TColumn : public TObject {
 public:
  TColumn() : Title(&title_) {}
  TColumnTitle* const Title;
  AnsiString FieldName;

 private:
  TColumnTitle title_;
};

class TDBGridColumns : public TObject {
 public:
  TColumn* Add();
  int Count() const { return static_cast<int>(columns_.size()); }
  TColumn* Items(int index) const;

 private:
  std::vector<std::unique_ptr<TColumn>> columns_;
};

class TDBGrid : public TWinControl {
 public:
  explicit TDBGrid(TComponent* AOwner) : TWinControl(AOwner), Columns(&columns_) {}
  TDBGridColumns* const Columns;
  AnsiString ClassWord() const override { return "DBGrid"; }
  AnsiString Describe() const override;

 private:
  TDBGridColumns columns_;
};
