#include "raster/image_insert.h"

#include <acedads.h>
#include <afxwin.h>
#include <dbdict.h>
#include <dbsymtb.h>
#include <gemat3d.h>
#include <imgdef.h>
#include <imgent.h>
#include <imgvars.h>

#include <cmath>

#include "frame/message_box.h"
#include "raster/world_file.h"
#include "settings/plugin_app.h"

namespace {

AcDbDatabase* workingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

// The image dictionary of the working drawing, made when it is missing.
AcDbObjectId imageDictionaryId() {
  AcDbObjectId id = AcDbRasterImageDef::imageDictionary(workingDatabase());
  if (id.isNull() && AcDbRasterImageDef::createImageDictionary(workingDatabase(), id) != Acad::eOk) return {};
  return id;
}

// `name`, or the name the editor suggests from the picture when it is empty or taken.
bool entryName(const AcDbDictionary* dictionary, const std::string& picturePath, std::string& name) {
  if (!name.empty() && !dictionary->has(name.c_str())) return true;
  ACHAR suggested[2049];
  if (AcDbRasterImageDef::suggestName(dictionary, picturePath.c_str(), suggested, sizeof suggested) !=
      Acad::eOk) {
    return false;
  }
  name = suggested;
  return true;
}

// Stores the definition (open, not yet in the database) under a free name.
AcDbObjectId storeDefinition(AcDbRasterImageDef* definition, const std::string& picturePath, std::string name) {
  const AcDbObjectId dictionaryId = imageDictionaryId();
  AcDbDictionary* dictionary = nullptr;
  if (dictionaryId.isNull() || acdbOpenObject(dictionary, dictionaryId, AcDb::kForWrite) != Acad::eOk) return {};
  AcDbObjectId definitionId;
  if (!entryName(dictionary, picturePath, name) ||
      dictionary->setAt(name.c_str(), definition, definitionId) != Acad::eOk) {
    definitionId = AcDbObjectId::kNull;
  }
  dictionary->close();
  return definitionId;
}

// Appends the entity to model space; its id, or null.
AcDbObjectId appendToModelSpace(AcDbEntity* entity) {
  AcDbBlockTable* table = nullptr;
  if (workingDatabase()->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return {};
  AcDbBlockTableRecord* space = nullptr;
  const Acad::ErrorStatus opened = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
  table->close();
  if (opened != Acad::eOk) return {};
  AcDbObjectId id;
  if (space->appendAcDbEntity(id, entity) != Acad::eOk) id = AcDbObjectId::kNull;
  space->close();
  return id;
}

// Definition reactor notification off for the length of a scope.
class ReactorNotificationOff {
 public:
  ReactorNotificationOff() { AcDbRasterImageDefReactor::setEnable(false); }
  ~ReactorNotificationOff() { AcDbRasterImageDefReactor::setEnable(true); }
  ReactorNotificationOff(const ReactorNotificationOff&) = delete;
  ReactorNotificationOff& operator=(const ReactorNotificationOff&) = delete;
};

// A reactor owned by the image, added to the database; its id, or null.
AcDbObjectId addReactor(AcDbRasterImage* image) {
  auto* reactor = new AcDbRasterImageDefReactor;
  AcDbObjectId reactorId;
  if (reactor->setOwnerId(image->objectId()) != Acad::eOk ||
      workingDatabase()->addAcDbObject(reactorId, reactor) != Acad::eOk) {
    delete reactor;
    return {};
  }
  reactor->close();
  return reactorId;
}

// The picture's size in pixels from the image's definition.
bool imagePixels(const AcDbRasterImage* image, double& width, double& height) {
  AcDbRasterImageDef* definition = nullptr;
  if (acdbOpenObject(definition, image->imageDefId(), AcDb::kForRead) != Acad::eOk) return false;
  const AcGeVector2d size = definition->size();
  definition->close();
  width = size.x;
  height = size.y;
  return true;
}

// The larger of dx / w and dy / h; the width ratio on equality.
double coveringScale(const PlotWindow& window, double width, double height) {
  const double dx = std::abs(window.second.x - window.first.x);
  const double dy = std::abs(window.second.y - window.first.y);
  return dx * height / width >= dy ? dx / width : dy / height;
}

bool issueDrawOrderBack(const ads_name entity) {
  acedCommand(RTNONE);
  return acedCommand(RTSTR, "_.DRAWORDER", RTENAME, entity, RTSTR, "", RTSTR, "_b", RTNONE) == RTNORM;
}

}  // namespace

AcDbObjectId createImageDefinition(const std::string& picturePath, const std::string& name) {
  auto* definition = new AcDbRasterImageDef;
  if (definition->setSourceFileName(picturePath.c_str()) != Acad::eOk || definition->load() != Acad::eOk) {
    delete definition;
    return {};
  }
  const AcDbObjectId definitionId = storeDefinition(definition, picturePath, name);
  if (definitionId.isNull()) {
    delete definition;
    return {};
  }
  definition->close();
  return definitionId;
}

AcDbObjectId createImage(AcDbObjectId defId, const std::string& layerName) {
  auto* image = new AcDbRasterImage;
  AcDbObjectId imageId;
  if (image->setImageDefId(defId) == Acad::eOk && image->setLayer(layerName.c_str(), true) == Acad::eOk) {
    imageId = appendToModelSpace(image);
  }
  if (imageId.isNull()) {
    delete image;
    return {};
  }
  image->close();
  return imageId;
}

bool attachDefinitionReactor(AcDbObjectId defId, AcDbObjectId imageId) {
  const ReactorNotificationOff notificationOff;
  AcDbRasterImageDef* definition = nullptr;
  if (acdbOpenObject(definition, defId, AcDb::kForWrite) != Acad::eOk) return false;
  AcDbRasterImage* image = nullptr;
  if (acdbOpenObject(image, imageId, AcDb::kForWrite) != Acad::eOk) {
    definition->close();
    return false;
  }
  const AcDbObjectId reactorId = addReactor(image);
  if (!reactorId.isNull()) {
    image->setReactorId(reactorId);
    definition->addPersistentReactor(reactorId);
  }
  definition->close();
  image->close();
  return !reactorId.isNull();
}

bool placeImage(AcDbObjectId imageId, const PlotWindow& window, AcGeVector2d& pixelSize) {
  AcDbRasterImage* image = nullptr;
  if (acdbOpenObject(image, imageId, AcDb::kForWrite) != Acad::eOk) return false;
  double width = 0.0, height = 0.0;
  if (!imagePixels(image, width, height) || width <= 0.0 || height <= 0.0) {
    image->close();  // a picture without pixels cannot be scaled
    return false;
  }
  const double scale = coveringScale(window, width, height);
  pixelSize = AcGeVector2d(scale, 0.0);
  AcGeMatrix3d scaling, move;
  scaling.setToScaling(scale, AcGePoint3d::kOrigin);
  // The plot puts the window's first corner at the picture's lower-left
  // corner, moved by the plot origin, or centres the window on the picture:
  // the picture goes that many pixels left and down of the corner.
  const PlotPlacement placement = readPlotPlacement();
  double offsetX = placement.originX, offsetY = placement.originY;
  if (placement.centered) {
    offsetX = (width - std::abs(window.second.x - window.first.x) / scale) / 2.0;
    offsetY = (height - std::abs(window.second.y - window.first.y) / scale) / 2.0;
  }
  move.setToTranslation(AcGeVector3d(window.first.x - offsetX * scale, window.first.y - offsetY * scale, 0.0));
  const bool placed = image->transformBy(scaling) == Acad::eOk && image->transformBy(move) == Acad::eOk;
  image->close();
  return placed;
}

bool setImageTransparency(AcDbObjectId imageId, bool on) {
  AcDbRasterImage* image = nullptr;
  if (acdbOpenObject(image, imageId, AcDb::kForWrite) != Acad::eOk) return false;
  image->setDisplayOpt(AcDbRasterImage::kTransparent, on);
  image->close();
  return true;
}

bool sendImageToBack(AcDbObjectId imageId) {
  ads_name entity, selection;
  if (acdbGetAdsName(entity, imageId) != Acad::eOk || acedSSAdd(entity, nullptr, selection) != RTNORM) {
    return false;
  }
  bool done = false;
  {
    const HostModuleState hostResources;  // the editor's resources while its command runs
    done = issueDrawOrderBack(entity);
  }
  acedSSFree(selection);
  return done;
}

bool setImageFrame(bool on) {
  AcDbRasterVariables* variables = AcDbRasterVariables::openRasterVariables(AcDb::kForWrite, workingDatabase());
  if (!variables) return false;
  const Acad::ErrorStatus set =
      variables->setImageFrame(on ? AcDbRasterVariables::kImageFrameOn : AcDbRasterVariables::kImageFrameOff);
  variables->close();
  return set == Acad::eOk;
}

bool readImageFrame(bool& on) {
  AcDbRasterVariables* variables = AcDbRasterVariables::openRasterVariables(AcDb::kForRead, workingDatabase());
  if (!variables) return false;
  on = variables->imageFrame() != AcDbRasterVariables::kImageFrameOff;
  variables->close();
  return true;
}

void redrawEntitiesOfClass(const std::string& className) {
  AcDbBlockTable* table = nullptr;
  if (workingDatabase()->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return;
  AcDbBlockTableRecord* space = nullptr;
  if (table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead) == Acad::eOk) {
    AcDbBlockTableRecordIterator* iterator = nullptr;
    if (space->newIterator(iterator) == Acad::eOk) {
      for (; !iterator->done(); iterator->step()) {
        AcDbEntity* entity = nullptr;
        if (iterator->getEntity(entity, AcDb::kForWrite) != Acad::eOk) continue;
        if (className == entity->isA()->name()) entity->recordGraphicsModified(true);
        entity->close();
      }
      delete iterator;
    }
    space->close();
  }
  table->close();
}

bool readImageExtents(AcDbObjectId imageId, PlotWindow& extents) {
  AcDbRasterImage* image = nullptr;
  if (acdbOpenObject(image, imageId, AcDb::kForRead) != Acad::eOk) return false;
  AcDbExtents box;
  const bool read = image->getGeomExtents(box) == Acad::eOk;
  image->close();
  if (!read) return false;
  extents.first = {box.minPoint().x, box.minPoint().y};
  extents.second = {box.maxPoint().x, box.maxPoint().y};
  return true;
}

bool insertPicture(const std::string& basePath, const std::string& pictureType, const std::string& worldExtension,
                   PlotWindow& window, const std::string& layerName, const ImageOptions& options) {
  const AcDbObjectId definitionId = createImageDefinition(basePath + "." + pictureType);
  if (definitionId.isNull()) return false;
  const AcDbObjectId imageId = createImage(definitionId, layerName);
  AcGeVector2d pixelSize;
  if (imageId.isNull() || !attachDefinitionReactor(definitionId, imageId) ||
      !placeImage(imageId, window, pixelSize) || !setImageTransparency(imageId, options.transparent)) {
    return false;
  }
  if (options.sendToBack) sendImageToBack(imageId);
  setImageFrame(options.frame);
  readImageExtents(imageId, window);
  if (!writeWorldFile(basePath, worldExtension, window, pixelSize)) {
    PrintCatalogueLine(msg::kWorldFileNotWritten, basePath + "." + worldExtension);  // the image stays
  }
  return true;
}
