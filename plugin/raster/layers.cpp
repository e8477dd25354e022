#include "raster/layers.h"

#include <acedads.h>
#include <dbsymtb.h>

#include <cstdlib>

#include "frame/companion_lisp.h"
#include "settings/plugin_settings.h"

namespace {

constexpr const char* kImageLayerClass = "ImageLayer";
constexpr const char* kLayerDialogTitle = "Rasterwerk";

// Makes the layer of `key` exist: true for an empty key (a plain layer name).
bool layerOfKeyExists(const std::string& key) {
  return key.empty() || LispNewLayer(theSettings.applicationKey, key);
}

}  // namespace

bool currentLayerName(std::string& name) {
  resbuf value{};
  if (acedGetVar("CLAYER", &value) != RTNORM || value.restype != RTSTR || !value.resval.rstring) return false;
  name = value.resval.rstring;
  std::free(value.resval.rstring);  // the editor allocates variable strings with malloc
  return true;
}

bool layerColour(const std::string& layerName, long& rgb) {
  AcDbLayerTable* table = nullptr;
  if (acdbHostApplicationServices()->workingDatabase()->getLayerTable(table, AcDb::kForRead) != Acad::eOk) {
    return false;
  }
  AcDbLayerTableRecord* record = nullptr;
  const bool found = table->getAt(layerName.c_str(), record, AcDb::kForRead) == Acad::eOk;
  if (found) {
    rgb = acedGetRGB(record->color().colorIndex());
    record->close();
  }
  table->close();
  return found;
}

void resolveImageLayer(std::string& name, long& rgb) {
  name = theSettings.imageLayerName;
  const std::string& key = theSettings.layerKey;
  if (!key.empty() && LispNewLayer(theSettings.applicationKey, key)) {
    LispGetLayerName(theSettings.applicationKey, key, name);
  }
  if (!layerColour(name, rgb) && currentLayerName(name)) layerColour(name, rgb);
}

bool chooseImageLayer(std::string& name, std::string& key, long& rgb) {
  std::string chosenKey, chosenName;
  if (!LispLayerDialog(theSettings.applicationKey, kImageLayerClass, kLayerDialogTitle,
                       theSettings.userIniFolder, chosenKey, chosenName)) {
    return false;
  }
  if (chosenName.empty()) return false;  // cancelled
  // A layer the companion could not make may still exist; else the swatch stays.
  long colour = rgb;
  const bool layerMade = layerOfKeyExists(chosenKey);
  if (!layerColour(chosenName, colour) && layerMade) return false;
  name = chosenName;
  key = chosenKey;
  rgb = colour;
  return true;
}
