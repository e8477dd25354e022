#pragma once
// The three style pictures stored with the options form (BMP data, built in
// from hatchdlg/res).
struct StilBild {
  const unsigned char* Daten;
  int Groesse;
};

extern const StilBild kStilNormal;
extern const StilBild kStilAeussere;
extern const StilBild kStilIgnorieren;
