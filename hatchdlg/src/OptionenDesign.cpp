// The options form's controls as designed: 481 x 241 client pixels; the
// three style pictures lie at the same place, one shown at a time.
#include "FormDesign.h"
#include "Optionen.h"
#include "StilBilder.h"

namespace {

TImage* PlaceStyleImage(TFormOptionen* form, TWinControl* parent, const char* name, const StilBild& bild) {
  TImage* image = Place<TImage>(form, parent, name, "", 8, 20, 69, 60);
  TMemoryStream stream;
  stream.Write(bild.Daten, bild.Groesse);
  stream.Seek(0, soFromBeginning);
  image->Picture->Bitmap->LoadFromStream(&stream);
  return image;
}

}  // namespace

void TFormOptionen::Design() {
  Name = "FormOptionen";
  Caption = "X_OptionenMaske";
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ClientWidth = Width = 481;
  ClientHeight = Height = 241;

  UmgrenzungBestimmenGroupBox =
      Place<TGroupBox>(this, this, "UmgrenzungBestimmenGroupBox", "X_Umgrenzung_bestimmen", 8, 8, 225, 124);
  ButtonUmgrenzungslinien = Place<TButton>(this, UmgrenzungBestimmenGroupBox, "ButtonUmgrenzungslinien",
                                           "X_NeueUmgrenzungslinien", 8, 20, 209, 25);
  RadioButtonVomBildschirm = Place<TRadioButton>(this, UmgrenzungBestimmenGroupBox, "RadioButtonVomBildschirm",
                                                 "X_AusgehendvomBildschirm", 8, 52, 209, 17);
  RadioButtonVonUmgrenzung = Place<TRadioButton>(this, UmgrenzungBestimmenGroupBox, "RadioButtonVonUmgrenzung",
                                                 "X_AusgehendVonUmgrenzung", 8, 74, 209, 17);
  CheckBoxInselnErkennen = Place<TCheckBox>(this, UmgrenzungBestimmenGroupBox, "CheckBoxInselnErkennen",
                                            "X_InselnErkennen", 8, 98, 209, 17);

  UmgrenzungsoptionenGroupBox =
      Place<TGroupBox>(this, this, "UmgrenzungsoptionenGroupBox", "X_Umgrenzungsoptionen", 8, 140, 225, 68);
  CheckBox1 = Place<TCheckBox>(this, UmgrenzungsoptionenGroupBox, "CheckBox1", "X_UmgrenzungBeibehalten", 8, 20,
                               209, 17);
  CheckBox1->Checked = true;
  CheckBox1->Enabled = false;
  ComboBox1 = PlaceComboBox(this, UmgrenzungsoptionenGroupBox, "ComboBox1", 8, 40, 209, "X_Polylinie",
                            {"X_Polylinie"});
  ComboBox1->Enabled = false;

  UmgrenzungsstilGroupBox =
      Place<TGroupBox>(this, this, "UmgrenzungsstilGroupBox", "X_Umgrenzungsstil", 248, 8, 225, 200);
  ImageNormal = PlaceStyleImage(this, UmgrenzungsstilGroupBox, "ImageNormal", kStilNormal);
  ImageNormal->Stretch = true;
  ImageAeussere = PlaceStyleImage(this, UmgrenzungsstilGroupBox, "ImageAeussere", kStilAeussere);
  ImageIgnorieren = PlaceStyleImage(this, UmgrenzungsstilGroupBox, "ImageIgnorieren", kStilIgnorieren);
  Label1 = Place<TLabel>(this, UmgrenzungsstilGroupBox, "Label1", "X_Stil", 8, 92, 100, 13);
  ComboBoxSchraffurStil = PlaceComboBox(this, UmgrenzungsstilGroupBox, "ComboBoxSchraffurStil", 8, 110, 209,
                                        "X_Normal", {"X_Normal", "X_Aeussere", "X_Ignorieren"});

  ButtonOk = Place<TButton>(this, this, "ButtonOk", "X_ok", 296, 212, 81, 25);
  ButtonAbbruch = Place<TButton>(this, this, "ButtonAbbruch", "X_Abbrechen", 392, 212, 81, 25);
  ButtonAbbruch->Cancel = true;
}

void TFormOptionen::ConnectEvents() {
  using vcl::Closure;
  OnShow = Closure(this, &TFormOptionen::FormShow);
  RadioButtonVomBildschirm->OnClick = Closure(this, &TFormOptionen::RadioButtonVomBildschirmClick);
  RadioButtonVonUmgrenzung->OnClick = Closure(this, &TFormOptionen::RadioButtonVonUmgrenzungClick);
  CheckBoxInselnErkennen->OnClick = Closure(this, &TFormOptionen::OptionenGeaendert);
  ComboBoxSchraffurStil->OnChange = Closure(this, &TFormOptionen::OptionenGeaendert);
  ButtonUmgrenzungslinien->OnClick = Closure(this, &TFormOptionen::ButtonUmgrenzungslinienClick);
  ButtonOk->OnClick = Closure(this, &TFormOptionen::ButtonOkClick);
  ButtonAbbruch->OnClick = Closure(this, &TFormOptionen::ButtonAbbruchClick);
}
