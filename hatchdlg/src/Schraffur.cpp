#include "Schraffur.h"

#include <cstring>
#include <memory>

#include "FormDesign.h"
#include "Optionen.h"
#include "Translate.h"

TfrmSchraffur* frmSchraffur = nullptr;

TfrmSchraffur::TfrmSchraffur(TComponent* Owner) : TForm(Owner) {
  Design();
  ConnectEvents();
}

void TfrmSchraffur::Init(TSchraffurRecord* record) {
  Record = record;
  if (!Record) return;
  Optionen.FromBoundary = Record->FromBoundary;
  Optionen.IslandDetection = Record->IslandDetection;
  Optionen.HatchStyle = Record->HatchStyle;
  Optionen.BoundaryCount = Record->BoundaryCount;
  Optionen.NewBoundary = Record->NewBoundary;
}

// The host's custom-pattern text; the field need not end with a NUL.
AnsiString TfrmSchraffur::EigenesMuster() const {
  return AnsiString(Record->CustomPattern, strnlen(Record->CustomPattern, sizeof Record->CustomPattern));
}

void TfrmSchraffur::FormShow(TObject*) {
  TranslateLabels(this, "dfelmar2.msg", "dfelmar-labels", "dfelmar2.dll");
  MusterComboBox->Items->Clear();
  MusterComboBox->Text = "";
  if (Record) {
    Record->ExitReason = seAbbruch;  // the close box and Escape cancel
    MusterComboBoxLaden(Record);
    ZeigeMusterTyp();
    BenutzerMusterEdit->Text = EigenesMuster();
    TStrings* typen = MusterTypComboBox->Items;
    if (MusterComboBox->Items->IndexOf(BenutzerMusterEdit->Text) >= 0 && typen->Count > 2)
      MusterTypComboBox->Text = typen->Strings[2];
    SchalteUmgrenzungsAktionen(Record->BoundaryDefined != 0);
    ZeigeZahlen();
    DoppelschraffurCheckBox->Checked = Record->DoubleHatch != 0;
    AssoziativschraffurCheckBox->Checked = Record->Associative != 0;
    UrsprungCheckBox->Checked = Record->Origin != 0;
    SchalteBenutzerMuster();
    if (Record->NewBoundary) ZeigeOptionenMaske();
    SetzeFokus(Record->Action);
  }
  FaerbeNurLeseFelder();
}

void TfrmSchraffur::MusterComboBoxLaden(TSchraffurRecord* record) {
  if (record->PatternList)
    for (char** name = record->PatternList; *name; ++name) MusterComboBox->Items->Add(*name);
  if (MusterComboBox->Items->Count > 0) MusterComboBox->Text = MusterComboBox->Items->Strings[0];
}

// A type outside the list (also a negative one) shows the first type.
void TfrmSchraffur::ZeigeMusterTyp() {
  TStrings* typen = MusterTypComboBox->Items;
  if (typen->Count == 0) return;
  const int typ = Record->PatternType;
  MusterTypComboBox->Text = typen->Strings[typ >= 0 && typ < typen->Count ? typ : 0];
}

void TfrmSchraffur::ZeigeZahlen() {
  ZeigeZahl(WinkelEdit, Record->Angle, 0.0);
  ZeigeZahl(AbstandEdit, Record->Spacing, 0.0);
  ZeigeZahl(FaktorEdit, Record->Scale, 1.0);
}

// Values greater than 0 are shown as they are, others as the fallback.
void TfrmSchraffur::ZeigeZahl(TEdit* edit, double value, double fallback) {
  edit->Text = FloatToStrF(value > 0 ? value : fallback, ffFixed, 18, 2);
  FloatZahlNachAutocadZahl(edit);
}

void TfrmSchraffur::SchalteUmgrenzungsAktionen(bool enabled) {
  for (TButton* b : {InselnEntfernenButton, AuswahlAnzeigenButton, AnwendenButton, VoransichtButton})
    b->Enabled = enabled;
}

void TfrmSchraffur::SetzeFokus(int action) {
  TWinControl* ziel = nullptr;
  switch (action) {
    case saMusterPruefen: ziel = BenutzerMusterEdit; break;
    case saPunkteWaehlen: ziel = Punkte_waehlenButton; break;
    case saObjekteWaehlen: ziel = ObjekteWaehlenButton; break;
    case saInselnEntfernen:
      ziel = InselnEntfernenButton->Enabled ? InselnEntfernenButton : ObjekteWaehlenButton;
      break;
    case saAuswahlAnzeigen: ziel = AuswahlAnzeigenButton; break;
    case saVoransicht: ziel = VoransichtButton; break;
    case saEigenschaften: ziel = UebernehmenButton; break;
  }
  // A control that cannot take the focus now keeps the default focus.
  if (ziel && ziel->CanFocus()) ziel->SetFocus();
}

void TfrmSchraffur::FaerbeNurLeseFelder() {
  for (TEdit* edit : {BenutzerMusterEdit, FaktorEdit, WinkelEdit})
    if (edit->ReadOnly) edit->Color = InaktivFarbe;
}

void TfrmSchraffur::SchalteFeld(TCustomTextControl* field, TLabel* label, bool enabled) {
  field->Enabled = enabled;
  field->Color = enabled ? AktivFarbe : InaktivFarbe;
  label->Enabled = enabled;
}

void TfrmSchraffur::SchalteBenutzerMuster() {
  SchalteFeld(BenutzerMusterEdit, BenutzerspezMusterLabel, true);
  SchalteFeld(FaktorEdit, SkalierfaktorLabel, true);
  SchalteFeld(MusterComboBox, MusterLabel, true);
  SchalteFeld(AbstandEdit, AbstandLabel, true);
  DoppelschraffurCheckBox->Enabled = true;
  const int typ = ExactItemIndex(MusterTypComboBox->Items, MusterTypComboBox->Text);
  if (typ == 0 || typ == 2) {
    SchalteFeld(AbstandEdit, AbstandLabel, false);
    DoppelschraffurCheckBox->Enabled = false;
  }
  if (typ == 0 || typ == 1) SchalteFeld(BenutzerMusterEdit, BenutzerspezMusterLabel, false);
  if (typ == 1 || typ == 2) SchalteFeld(MusterComboBox, MusterLabel, false);
  if (typ == 1) SchalteFeld(FaktorEdit, SkalierfaktorLabel, false);
  if (typ >= 0 && Record) Record->PatternType = typ;
  UebernimmMusterName();
}

// PatternName := the custom name when its field is enabled, else the list's
// text; cut to the field's 1023 characters.
void TfrmSchraffur::UebernimmMusterName() {
  if (!Record) return;
  const AnsiString name = BenutzerMusterEdit->Enabled ? BenutzerMusterEdit->Text : MusterComboBox->Text;
  StrLCopy(Record->PatternName, name.c_str(), SCHRAFFUR_PATTERN_NAME_MAX);
}

bool TfrmSchraffur::CallCallback(int code) {
  if (Record) {
    Record->Action = code;
    Record->ExitReason = seAktion;
    Close();
  }
  return true;
}

bool TfrmSchraffur::CheckMuster() {
  if (Record) StrLCopy(Record->PatternName, BenutzerMusterEdit->Text.c_str(), SCHRAFFUR_PATTERN_NAME_MAX);
  CallCallback(saMusterPruefen);
  return true;
}

double TfrmSchraffur::AutocatStrToFloat(const AnsiString& text) {
  AnsiString zahl = text;
  const int at = zahl.Pos(AnsiString(&AutocadDecimalSeparator, 1));
  if (at > 0) zahl[static_cast<size_t>(at - 1)] = DecimalSeparator;
  try {
    return static_cast<double>(StrToFloat(zahl));
  } catch (const EConvertError&) {
    return 0.0;
  }
}

void TfrmSchraffur::FloatZahlNachAutocadZahl(TEdit* edit) {
  AnsiString text = edit->Text;
  const int at = text.Pos(AnsiString(&DecimalSeparator, 1));
  if (at > 0) text[static_cast<size_t>(at - 1)] = AutocadDecimalSeparator;
  edit->Text = text;
}

void TfrmSchraffur::MusterTypComboBoxChange(TObject*) { SchalteBenutzerMuster(); }

void TfrmSchraffur::MusterTypComboBoxKeyPress(TObject*, char& Key) {
  Key = 0;  // the type is chosen from the list only
  MessageBeep(MB_ICONEXCLAMATION);
}

// The chosen list entry is the pattern name while the custom field is off.
void TfrmSchraffur::MusterComboBoxChange(TObject*) { UebernimmMusterName(); }

void TfrmSchraffur::ZahlEditKeyPress(TObject* Sender, char& Key) {
  auto* edit = static_cast<TEdit*>(Sender);
  const bool ziffer = Key >= '0' && Key <= '9';
  const bool trenner = Key == AutocadDecimalSeparator && edit->Text.Pos(".") == 0;
  if (Key == '\b' || ziffer || trenner) return;
  Key = 0;
  MessageBeep(MB_ICONEXCLAMATION);
}

void TfrmSchraffur::BenutzerMusterEditKeyPress(TObject*, char& Key) {
  if (Key == '\b' || BenutzerMusterEdit->Text.Length() < SCHRAFFUR_PATTERN_NAME_MAX) return;
  Key = 0;
  MessageBeep(MB_ICONEXCLAMATION);
}

void TfrmSchraffur::BenutzerMusterEditExit(TObject*) {
  if (Record && BenutzerMusterEdit->Text != EigenesMuster()) CheckMuster();
}

void TfrmSchraffur::FaktorEditExit(TObject*) {
  if (Record) Record->Scale = AutocatStrToFloat(FaktorEdit->Text);
}

void TfrmSchraffur::WinkelEditExit(TObject*) {
  if (Record) Record->Angle = AutocatStrToFloat(WinkelEdit->Text);
}

void TfrmSchraffur::AbstandEditExit(TObject*) {
  if (Record) Record->Spacing = AutocatStrToFloat(AbstandEdit->Text);
}

void TfrmSchraffur::DoppelschraffurCheckBoxClick(TObject*) {
  if (Record) Record->DoubleHatch = DoppelschraffurCheckBox->Checked ? TRUE : FALSE;
}

void TfrmSchraffur::AssoziativschraffurCheckBoxClick(TObject*) {
  if (Record) Record->Associative = AssoziativschraffurCheckBox->Checked ? TRUE : FALSE;
}

void TfrmSchraffur::UrsprungCheckBoxClick(TObject*) {
  if (Record) Record->Origin = UrsprungCheckBox->Checked ? TRUE : FALSE;
  AssoziativschraffurCheckBox->Enabled = !UrsprungCheckBox->Checked;
}

void TfrmSchraffur::AktionButtonClick(TObject* Sender) {
  const std::pair<TButton*, int> aktionen[] = {
      {Punkte_waehlenButton, saPunkteWaehlen}, {ObjekteWaehlenButton, saObjekteWaehlen},
      {InselnEntfernenButton, saInselnEntfernen}, {AuswahlAnzeigenButton, saAuswahlAnzeigen},
      {VoransichtButton, saVoransicht}, {UebernehmenButton, saEigenschaften}};
  for (const auto& [button, code] : aktionen)
    if (Sender == button) CallCallback(code);
}

void TfrmSchraffur::optionenButtonClick(TObject*) { ZeigeOptionenMaske(); }

// Without a record the form only closes: there is nothing to write to.
void TfrmSchraffur::AnwendenButtonClick(TObject*) {
  if (BenutzerMusterEdit->Enabled) CheckMuster();
  if (Record) Record->ExitReason = seAnwenden;
  Close();
}

void TfrmSchraffur::AbbrechenButtonClick(TObject*) {
  if (Record) Record->ExitReason = seAbbruch;
  Close();
}

void TfrmSchraffur::HilfeButtonClick(TObject*) {
  if (Record && Record->HelpEnabled && Record->HelpProc) Record->HelpProc(Record);
}

void TfrmSchraffur::ZeigeOptionenMaske() {
  if (!Record) return;
  Optionen.FromBoundary = Record->FromBoundary;
  Optionen.IslandDetection = Record->IslandDetection;
  Optionen.HatchStyle = Record->HatchStyle;
  Optionen.BoundaryCount = Record->BoundaryCount;
  if (Optionen.NewBoundary && Optionen.BoundaryCount > 0) Optionen.FromBoundary = 1;
  {
    std::unique_ptr<TFormOptionen> form(new TFormOptionen(this));
    FormOptionen = form.get();
    Optionen.NewBoundary = 0;
    form->SetOptionenRecord(Optionen);
    const TModalResult ergebnis = form->ShowModal();
    FormOptionen = nullptr;
    if (ergebnis != mrOk) OptionenAbgebrochen();
  }
  if (Record->NewBoundary) CallCallback(saNeueUmgrenzung);
}

void TfrmSchraffur::OptionenAbgebrochen() {
  Record->NewBoundary = FALSE;
  Record->FromBoundary = Record->SavedFromBoundary;
  Record->IslandDetection = Record->SavedIslandDetection;
  Record->HatchStyle = Record->SavedHatchStyle;
  if (Record->OptionsCancelProc) Record->OptionsCancelProc(Record);
}

void TfrmSchraffur::SetOptionen(const TOptionenRecord& options) {
  if (!Record) return;
  Record->FromBoundary = options.FromBoundary;
  Record->IslandDetection = options.IslandDetection;
  Record->HatchStyle = options.HatchStyle;
  Record->NewBoundary = options.NewBoundary;
}
