#pragma once
// The hatch form: pattern type and name, scale, angle, spacing, double hatch,
// associative hatch, origin, and the buttons that hand an action to the host.
#include <vcl.h>

#include "SchraffurRecord.h"

class TfrmSchraffur : public TForm {
 public:
  explicit TfrmSchraffur(TComponent* Owner);

  TGroupBox* SchraffurmusterGroupBox;
  TButton* MusterButton;
  TComboBox* MusterTypComboBox;
  TGroupBox* EigenschaftenGroupBox;
  TLabel* IsoStiftbreiteLabel;
  TComboBox* StiftbreiteComboBox;
  TLabel* MusterLabel;
  TComboBox* MusterComboBox;
  TLabel* BenutzerspezMusterLabel;
  TEdit* BenutzerMusterEdit;
  TLabel* SkalierfaktorLabel;
  TEdit* FaktorEdit;
  TLabel* WinkelLabel;
  TEdit* WinkelEdit;
  TLabel* AbstandLabel;
  TEdit* AbstandEdit;
  TCheckBox* DoppelschraffurCheckBox;
  TGroupBox* UmgrenzungGroupBox;
  TButton* Punkte_waehlenButton;
  TButton* ObjekteWaehlenButton;
  TButton* InselnEntfernenButton;
  TButton* AuswahlAnzeigenButton;
  TButton* optionenButton;
  TButton* VoransichtButton;
  TButton* UebernehmenButton;
  TGroupBox* AttributeGroupBox;
  TCheckBox* AssoziativschraffurCheckBox;
  TCheckBox* UrsprungCheckBox;
  TPanel* BefehlPanel;
  TButton* AnwendenButton;
  TButton* AbbrechenButton;
  TButton* HilfeButton;

  // Keeps the caller's record and copies its boundary options.
  void Init(TSchraffurRecord* record);
  // Hands the action `code` to the host: the form closes with ExitReason 2.
  bool CallCallback(int code);
  // Enables the fields of the chosen pattern type; PatternType, PatternName.
  void SchalteBenutzerMuster();
  // Hands the custom pattern name to the host for checking (action 8).
  bool CheckMuster();
  // Dialog text ("." separator) to number; 0.0 when it is no number.
  double AutocatStrToFloat(const AnsiString& text);
  // Shows the field's number with "." as separator.
  void FloatZahlNachAutocadZahl(TEdit* edit);
  void MusterComboBoxLaden(TSchraffurRecord* record);
  // Opens the boundary options form and takes its result.
  void ZeigeOptionenMaske();
  // The options form's values into the record (all but BoundaryCount).
  void SetOptionen(const TOptionenRecord& options);

 private:
  void Design();
  void ConnectEvents();

  void FormShow(TObject* Sender);
  void ZeigeMusterTyp();
  void ZeigeZahlen();
  void ZeigeZahl(TEdit* edit, double value, double fallback);
  void SchalteUmgrenzungsAktionen(bool enabled);
  void SchalteFeld(TCustomTextControl* field, TLabel* label, bool enabled);
  void UebernimmMusterName();
  void SetzeFokus(int action);
  void FaerbeNurLeseFelder();
  AnsiString EigenesMuster() const;

  void MusterTypComboBoxChange(TObject* Sender);
  void MusterTypComboBoxKeyPress(TObject* Sender, char& Key);
  void MusterComboBoxChange(TObject* Sender);
  void ZahlEditKeyPress(TObject* Sender, char& Key);
  void BenutzerMusterEditKeyPress(TObject* Sender, char& Key);
  void BenutzerMusterEditExit(TObject* Sender);
  void FaktorEditExit(TObject* Sender);
  void WinkelEditExit(TObject* Sender);
  void AbstandEditExit(TObject* Sender);
  void DoppelschraffurCheckBoxClick(TObject* Sender);
  void AssoziativschraffurCheckBoxClick(TObject* Sender);
  void UrsprungCheckBoxClick(TObject* Sender);
  void AktionButtonClick(TObject* Sender);
  void optionenButtonClick(TObject* Sender);
  void AnwendenButtonClick(TObject* Sender);
  void AbbrechenButtonClick(TObject* Sender);
  void HilfeButtonClick(TObject* Sender);
  void OptionenAbgebrochen();

  TSchraffurRecord* Record = nullptr;
  TOptionenRecord Optionen{};
  TColor InaktivFarbe = clInactiveBorder;
  TColor AktivFarbe = clWindow;
  const char AutocadDecimalSeparator = '.';
};

// The hatch form of the running DoSchraff call; null between calls.
extern TfrmSchraffur* frmSchraffur;
