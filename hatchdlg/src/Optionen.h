#pragma once
// The boundary options form: how the boundary is found, island detection,
// the hatch style with its picture, and the request for new boundary lines.
#include <vcl.h>

#include "SchraffurRecord.h"

class TFormOptionen : public TForm {
 public:
  explicit TFormOptionen(TComponent* Owner);

  TGroupBox* UmgrenzungBestimmenGroupBox;
  TButton* ButtonUmgrenzungslinien;
  TRadioButton* RadioButtonVomBildschirm;
  TRadioButton* RadioButtonVonUmgrenzung;
  TCheckBox* CheckBoxInselnErkennen;
  TGroupBox* UmgrenzungsoptionenGroupBox;
  TCheckBox* CheckBox1;
  TComboBox* ComboBox1;
  TGroupBox* UmgrenzungsstilGroupBox;
  TImage* ImageNormal;
  TImage* ImageAeussere;
  TImage* ImageIgnorieren;
  TLabel* Label1;
  TComboBox* ComboBoxSchraffurStil;
  TButton* ButtonOk;
  TButton* ButtonAbbruch;

  // The values to show, all five.
  void SetOptionenRecord(const TOptionenRecord& options);

 private:
  void Design();
  void ConnectEvents();

  void FormShow(TObject* Sender);
  // Shows the picture of the chosen style and, once shown, takes the
  // controls' values into the options.
  void OptionenData();
  void RadioButtonVomBildschirmClick(TObject* Sender);
  void RadioButtonVonUmgrenzungClick(TObject* Sender);
  void OptionenGeaendert(TObject* Sender);
  void ButtonUmgrenzungslinienClick(TObject* Sender);
  void ButtonOkClick(TObject* Sender);
  void ButtonAbbruchClick(TObject* Sender);

  TOptionenRecord Optionen{};
  TImage* Bilder[3] = {};
  int BildAnzahl = 0;
  bool Initialisiert = false;
};

// The options form while it is open; null otherwise.
extern TFormOptionen* FormOptionen;
