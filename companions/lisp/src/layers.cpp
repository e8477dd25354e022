// Layer definitions: a key names a drawing layer and its colour. They are kept
// in "TavoLayers.ini" in the user's folder, one section per key:
//   [ImageLayer]
//   Name=Bild
//   Color=7
#include <windows.h>

#include "aced.h"
#include "dbsymtb.h"
#include "functions.h"
#include "layer_dialog_answers.h"
#include "layer_window.h"
#include "ui/driver.h"

namespace companion {
namespace {

constexpr const char* kDefinitionsFile = "TavoLayers.ini";
constexpr int kDefaultColour = 7;

struct LayerDefinition {
  std::string name;
  int colour = kDefaultColour;
};

// Symbol names may not hold these characters, nor be longer than 255.
bool IsValidLayerName(const std::string& name) {
  return !name.empty() && name.size() <= 255 && name.find_first_of("<>/\\\":;?*|,=`") == std::string::npos;
}

std::string DefinitionsFile() {
  const std::string folder = UserFolder();
  return folder.empty() ? "" : folder + kDefinitionsFile;
}

bool ReadDefinition(const std::string& key, LayerDefinition& definition) {
  const std::string file = DefinitionsFile();
  if (file.empty() || key.empty()) return false;
  char name[512] = "";
  GetPrivateProfileStringA(key.c_str(), "Name", "", name, sizeof name, file.c_str());
  if (name[0] == '\0') return false;
  definition.name = name;
  const int colour = static_cast<int>(GetPrivateProfileIntA(key.c_str(), "Color", kDefaultColour, file.c_str()));
  definition.colour = colour >= 1 && colour <= 255 ? colour : kDefaultColour;
  return true;
}

bool WriteName(const std::string& key, const std::string& name) {
  const std::string file = DefinitionsFile();
  return !file.empty() && WritePrivateProfileStringA(key.c_str(), "Name", name.c_str(), file.c_str());
}

// Adds the layer to the working drawing unless it is there. 1: made, 0: it
// was there, -1: it cannot be made (an invalid name, the table busy).
int EnsureLayer(const LayerDefinition& definition) {
  AcDbLayerTable* table = nullptr;
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (!IsValidLayerName(definition.name)) return -1;
  if (db == nullptr || db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return -1;
  int outcome = 0;
  if (!table->has(definition.name.c_str())) {
    auto* record = new AcDbLayerTableRecord;
    AcCmColor colour;
    colour.setColorIndex(static_cast<Adesk::UInt16>(definition.colour));
    record->setColor(colour);
    if (record->setName(definition.name.c_str()) == Acad::eOk && table->add(record) == Acad::eOk) {
      record->close();
      outcome = 1;
    } else {
      delete record;
      outcome = -1;
    }
  }
  table->close();
  return outcome;
}

// The answer of the user: key and name, or nothing when cancelled. The
// dialog offers the definition `layerClass` with its layer so far.
bool AskForLayer(const std::string& layerClass, const std::string& title, std::string& key, std::string& name) {
  LayerDefinition current;
  LayerWindow window(title, layerClass, ReadDefinition(layerClass, current) ? current.name : "");
  const ui::OpenWindow open(window);
  auto answer = ui::driver().take(kLayerDialogAnswer);
  if (!answer || answer->size() != 2 || (*answer)[0].empty() || (*answer)[1].empty()) return false;
  key = (*answer)[0];
  name = (*answer)[1];
  return true;
}

int RetLayerChoice(const std::string& key, const std::string& name, int confirmed) {
  resbuf* list = acutBuildList(RTSTR, key.c_str(), RTSTR, name.c_str(), RTSHORT, confirmed, 0);
  acedRetList(list);
  acutRelRb(list);
  return RSRSLT;
}

}  // namespace

int LayerDialog() {
  std::vector<std::string> args;
  if (!StringArguments(4, args)) return RSERR;
  std::string key, name;
  if (!AskForLayer(args[1], args[2], key, name)) return RetLayerChoice("", "", 0);
  if (!IsValidLayerName(name)) {
    acutPrintf("\nInvalid layer name: %s\n", name.c_str());
    return RetLayerChoice("", "", 0);
  }
  if (!WriteName(key, name)) {
    acutPrintf("\nThe layer definition %s cannot be saved.\n", key.c_str());
    return RetLayerChoice("", "", 0);
  }
  return RetLayerChoice(key, name, 1);
}

int NewLayer() {
  std::vector<std::string> args;
  if (!StringArguments(2, args)) return RSERR;
  LayerDefinition definition;
  const int outcome = ReadDefinition(args[1], definition) ? EnsureLayer(definition) : -1;
  outcome < 0 ? acedRetNil() : acedRetInt(outcome);
  return RSRSLT;
}

int GetLayerName() {
  std::vector<std::string> args;
  if (!StringArguments(2, args)) return RSERR;
  LayerDefinition definition;
  ReadDefinition(args[1], definition) ? acedRetStr(definition.name.c_str()) : acedRetNil();
  return RSRSLT;
}

}  // namespace companion
