#include "Optionen.h"

#include "FormDesign.h"
#include "Schraffur.h"
#include "Translate.h"

TFormOptionen* FormOptionen = nullptr;

TFormOptionen::TFormOptionen(TComponent* Owner) : TForm(Owner) {
  Design();
  ConnectEvents();
}

void TFormOptionen::SetOptionenRecord(const TOptionenRecord& options) { Optionen = options; }

void TFormOptionen::FormShow(TObject*) {
  TranslateLabels(this, "dfelmar2.msg", "dfelmar-labels", "dfelmar2.dll");
  Bilder[0] = ImageNormal;
  Bilder[1] = ImageAeussere;
  Bilder[2] = ImageIgnorieren;
  BildAnzahl = 3;
  if (Optionen.BoundaryCount == 0) {
    RadioButtonVonUmgrenzung->Enabled = false;
    RadioButtonVonUmgrenzung->Checked = false;
    Optionen.FromBoundary = 0;
  }
  if (Optionen.FromBoundary) RadioButtonVonUmgrenzung->Checked = true;
  else RadioButtonVomBildschirm->Checked = true;
  CheckBoxInselnErkennen->Checked = Optionen.IslandDetection != 0;
  TStrings* stile = ComboBoxSchraffurStil->Items;
  if (Optionen.HatchStyle >= 0 && Optionen.HatchStyle < stile->Count)
    ComboBoxSchraffurStil->Text = stile->Strings[Optionen.HatchStyle];
  Initialisiert = true;
  OptionenData();
}

void TFormOptionen::OptionenData() {
  for (int i = 0; i < BildAnzahl; ++i) Bilder[i]->Visible = false;
  const int stil = ExactItemIndex(ComboBoxSchraffurStil->Items, ComboBoxSchraffurStil->Text);
  const bool passend = ComboBoxSchraffurStil->Items->Count == BildAnzahl && stil >= 0;
  (passend ? Bilder[stil] : ImageNormal)->Visible = true;
  if (!Initialisiert) return;
  Optionen.FromBoundary = RadioButtonVonUmgrenzung->Checked ? 1 : 0;
  Optionen.IslandDetection = CheckBoxInselnErkennen->Checked ? 1 : 0;
  if (stil >= 0) Optionen.HatchStyle = stil;
}

void TFormOptionen::RadioButtonVomBildschirmClick(TObject*) {
  RadioButtonVonUmgrenzung->Checked = !RadioButtonVomBildschirm->Checked;
  OptionenData();
}

void TFormOptionen::RadioButtonVonUmgrenzungClick(TObject*) {
  RadioButtonVomBildschirm->Checked = !RadioButtonVonUmgrenzung->Checked;
  OptionenData();
}

// The style combo and the island box: OK takes what they show.
void TFormOptionen::OptionenGeaendert(TObject*) { OptionenData(); }

void TFormOptionen::ButtonUmgrenzungslinienClick(TObject*) {
  Optionen.NewBoundary = 1;
  frmSchraffur->SetOptionen(Optionen);
  ModalResult = mrOk;
}

void TFormOptionen::ButtonOkClick(TObject*) {
  frmSchraffur->SetOptionen(Optionen);
  ModalResult = mrOk;
}

void TFormOptionen::ButtonAbbruchClick(TObject*) { ModalResult = mrCancel; }
