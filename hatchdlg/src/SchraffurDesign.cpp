// The hatch form's controls as designed: 491 x 372 client pixels, pattern
// and properties on the left, boundary, preview and attributes on the
// right, the command buttons in a panel along the bottom edge.
#include "FormDesign.h"
#include "Schraffur.h"

void TfrmSchraffur::Design() {
  Name = "frmSchraffur";
  Caption = "X_Schraffur";
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ClientWidth = Width = 491;
  ClientHeight = Height = 372;

  SchraffurmusterGroupBox = Place<TGroupBox>(this, this, "SchraffurmusterGroupBox", "X_Schraffurmuster", 8, 8, 233, 84);
  MusterButton = Place<TButton>(this, SchraffurmusterGroupBox, "MusterButton", "X_Muster", 8, 50, 100, 25);
  MusterButton->Enabled = false;
  MusterTypComboBox = PlaceComboBox(this, SchraffurmusterGroupBox, "MusterTypComboBox", 8, 20, 217, "X_Vordefiniert",
                                    {"X_Vordefiniert", "X_Benutzerdef", "X_Benutzerspez"});

  EigenschaftenGroupBox =
      Place<TGroupBox>(this, this, "EigenschaftenGroupBox", "X_Muster_Eigenschaften", 8, 100, 233, 224);
  auto row = [&](const char* labelName, const char* caption, int top, TLabel*& label) {
    label = Place<TLabel>(this, EigenschaftenGroupBox, labelName, caption, 8, top + 4, 100, 13);
  };
  row("IsoStiftbreiteLabel", "X_IsoStiftbreite", 20, IsoStiftbreiteLabel);
  StiftbreiteComboBox = PlaceComboBox(this, EigenschaftenGroupBox, "StiftbreiteComboBox", 112, 20, 113, "", {});
  row("MusterLabel", "X_SchraffurMusterEigenschaften", 48, MusterLabel);
  MusterComboBox = PlaceComboBox(this, EigenschaftenGroupBox, "MusterComboBox", 112, 48, 113, "ANSI31", {"ANSI31"});
  row("BenutzerspezMusterLabel", "X_BenutzerspezMuster", 76, BenutzerspezMusterLabel);
  BenutzerMusterEdit = Place<TEdit>(this, EigenschaftenGroupBox, "BenutzerMusterEdit", "", 112, 76, 113, 21);
  row("SkalierfaktorLabel", "X_Skalierfaktor", 104, SkalierfaktorLabel);
  FaktorEdit = Place<TEdit>(this, EigenschaftenGroupBox, "FaktorEdit", "", 112, 104, 113, 21);
  row("WinkelLabel", "X_Winkel", 132, WinkelLabel);
  WinkelEdit = Place<TEdit>(this, EigenschaftenGroupBox, "WinkelEdit", "", 112, 132, 113, 21);
  row("AbstandLabel", "X_Abstand", 160, AbstandLabel);
  AbstandEdit = Place<TEdit>(this, EigenschaftenGroupBox, "AbstandEdit", "", 112, 160, 113, 21);
  DoppelschraffurCheckBox =
      Place<TCheckBox>(this, EigenschaftenGroupBox, "DoppelschraffurCheckBox", "X_Doppelschraffur", 8, 192, 217, 17);

  IsoStiftbreiteLabel->Enabled = StiftbreiteComboBox->Enabled = false;
  StiftbreiteComboBox->Color = InaktivFarbe;
  BenutzerMusterEdit->ReadOnly = FaktorEdit->ReadOnly = WinkelEdit->ReadOnly = true;
  AbstandEdit->Enabled = AbstandLabel->Enabled = DoppelschraffurCheckBox->Enabled = false;

  UmgrenzungGroupBox = Place<TGroupBox>(this, this, "UmgrenzungGroupBox", "X_Umgrenzung", 250, 8, 233, 168);
  auto button = [&](const char* name, const char* caption, int top) {
    return Place<TButton>(this, UmgrenzungGroupBox, name, caption, 8, top, 217, 25);
  };
  Punkte_waehlenButton = button("Punkte_waehlenButton", "X_Punkte_waehlen", 20);
  ObjekteWaehlenButton = button("ObjekteWaehlenButton", "X_ObjekteWaehlen", 48);
  InselnEntfernenButton = button("InselnEntfernenButton", "X_InselnEntfernen", 76);
  AuswahlAnzeigenButton = button("AuswahlAnzeigenButton", "X_AuswahlAnzeigen", 104);
  optionenButton = button("optionenButton", "X_Optionen", 132);
  InselnEntfernenButton->Enabled = false;

  VoransichtButton = Place<TButton>(this, this, "VoransichtButton", "X_Schraffur_Voransicht", 250, 184, 233, 25);
  UebernehmenButton =
      Place<TButton>(this, this, "UebernehmenButton", "X_EigenschaftenUebernehmen", 250, 214, 233, 25);

  AttributeGroupBox = Place<TGroupBox>(this, this, "AttributeGroupBox", "X_Attribute", 250, 246, 233, 78);
  AssoziativschraffurCheckBox = Place<TCheckBox>(this, AttributeGroupBox, "AssoziativschraffurCheckBox",
                                                 "X_Assoziativschraffur", 8, 20, 217, 17);
  AssoziativschraffurCheckBox->Checked = true;
  AssoziativschraffurCheckBox->Enabled = false;
  UrsprungCheckBox = Place<TCheckBox>(this, AttributeGroupBox, "UrsprungCheckBox", "X_Ursprung", 8, 44, 217, 17);
  UrsprungCheckBox->Enabled = false;

  BefehlPanel = Place<TPanel>(this, this, "BefehlPanel", "", 0, 332, 491, 40);
  AnwendenButton = Place<TButton>(this, BefehlPanel, "AnwendenButton", "X_Anwenden", 176, 8, 97, 25);
  AbbrechenButton = Place<TButton>(this, BefehlPanel, "AbbrechenButton", "X_Abbrechen", 280, 8, 97, 25);
  AbbrechenButton->Cancel = true;
  HilfeButton = Place<TButton>(this, BefehlPanel, "HilfeButton", "X_Hilfe", 384, 8, 97, 25);
}

void TfrmSchraffur::ConnectEvents() {
  using vcl::Closure;
  OnShow = Closure(this, &TfrmSchraffur::FormShow);
  MusterTypComboBox->OnChange = Closure(this, &TfrmSchraffur::MusterTypComboBoxChange);
  MusterTypComboBox->OnKeyPress = Closure(this, &TfrmSchraffur::MusterTypComboBoxKeyPress);
  MusterComboBox->OnChange = Closure(this, &TfrmSchraffur::MusterComboBoxChange);
  for (TEdit* edit : {FaktorEdit, WinkelEdit, AbstandEdit})
    edit->OnKeyPress = Closure(this, &TfrmSchraffur::ZahlEditKeyPress);
  FaktorEdit->OnExit = Closure(this, &TfrmSchraffur::FaktorEditExit);
  WinkelEdit->OnExit = Closure(this, &TfrmSchraffur::WinkelEditExit);
  AbstandEdit->OnExit = Closure(this, &TfrmSchraffur::AbstandEditExit);
  BenutzerMusterEdit->OnKeyPress = Closure(this, &TfrmSchraffur::BenutzerMusterEditKeyPress);
  BenutzerMusterEdit->OnExit = Closure(this, &TfrmSchraffur::BenutzerMusterEditExit);
  DoppelschraffurCheckBox->OnClick = Closure(this, &TfrmSchraffur::DoppelschraffurCheckBoxClick);
  AssoziativschraffurCheckBox->OnClick = Closure(this, &TfrmSchraffur::AssoziativschraffurCheckBoxClick);
  UrsprungCheckBox->OnClick = Closure(this, &TfrmSchraffur::UrsprungCheckBoxClick);
  for (TButton* b : {Punkte_waehlenButton, ObjekteWaehlenButton, InselnEntfernenButton, AuswahlAnzeigenButton,
                     VoransichtButton, UebernehmenButton})
    b->OnClick = Closure(this, &TfrmSchraffur::AktionButtonClick);
  optionenButton->OnClick = Closure(this, &TfrmSchraffur::optionenButtonClick);
  AnwendenButton->OnClick = Closure(this, &TfrmSchraffur::AnwendenButtonClick);
  AbbrechenButton->OnClick = Closure(this, &TfrmSchraffur::AbbrechenButtonClick);
  HilfeButton->OnClick = Closure(this, &TfrmSchraffur::HilfeButtonClick);
}
