#include "workflow/edit_workflow.h"

#include <acedads.h>
#include <adslib.h>
#include <dbmain.h>
#include <imgdef.h>
#include <imgent.h>

#include <memory>

#include "editors/editor_bridge.h"
#include "frame/message_box.h"
#include "frame/message_catalogue.h"
#include "frame/text.h"
#include "raster/image_insert.h"
#include "workflow/create_workflow.h"

namespace {

constexpr const char* kRasterImageClass = "AcDbRasterImage";

// A database object closed when it goes out of scope.
struct CloseObject {
  void operator()(AcDbObject* object) const { object->close(); }
};
using OpenEntity = std::unique_ptr<AcDbEntity, CloseObject>;

// Shows the image frames while the user picks (images are picked by their
// frame); the former setting and display come back at the end of the scope.
class ImageFramesShown {
 public:
  ImageFramesShown() {
    bool shown = true;
    if (readImageFrame(shown) && !shown) {
      m_switched = true;
      Show(true);
    }
  }
  ~ImageFramesShown() {
    if (m_switched) Show(false);
  }
  ImageFramesShown(const ImageFramesShown&) = delete;
  ImageFramesShown& operator=(const ImageFramesShown&) = delete;

 private:
  static void Show(bool on) {
    setImageFrame(on);
    redrawEntitiesOfClass(kRasterImageClass);
  }
  bool m_switched = false;
};

AcDbObjectId DefinitionOf(const AcDbEntity* image) {
  const AcDbRasterImage* raster = AcDbRasterImage::cast(image);
  return raster ? raster->imageDefId() : AcDbObjectId();
}

bool ReadSourcePath(const AcDbEntity* image, std::string& sourcePath) {
  AcDbRasterImageDef* definition = nullptr;
  if (acdbOpenObject(definition, DefinitionOf(image), AcDb::kForRead) != Acad::eOk) return false;
  sourcePath = definition->sourceFileName();
  definition->close();
  return true;
}

// Points the definition at `picturePath` and loads it.
bool LoadDefinition(AcDbObjectId definitionId, const std::string& picturePath) {
  AcDbRasterImageDef* definition = nullptr;
  if (acdbOpenObject(definition, definitionId, AcDb::kForWrite) != Acad::eOk) return false;
  definition->setSourceFileName(picturePath.c_str());
  definition->setActiveFileName(picturePath.c_str());
  const bool loaded = definition->load() == Acad::eOk;
  definition->close();
  return loaded;
}

}  // namespace

bool selectSingleEntityOfClass(const char* className, AcDbEntity*& entity, bool& wrongClass) {
  entity = nullptr;
  wrongClass = false;
  ads_name selection;
  if (acedSSGet("_:S", nullptr, nullptr, nullptr, selection) != RTNORM) return false;
  long length = 0;
  ads_name first;
  AcDbObjectId id;
  const bool picked = acedSSLength(selection, &length) == RTNORM && length > 0 &&
                      acedSSName(selection, 0, first) == RTNORM && acdbGetObjectId(id, first) == Acad::eOk &&
                      acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk;
  acedSSFree(selection);
  if (!picked) {
    entity = nullptr;
    return false;
  }
  if (std::string(entity->isA()->name()) != className) {
    entity->close();
    entity = nullptr;
    wrongClass = true;
    return false;
  }
  return true;
}

bool editImage(ProgramKind editor, AcDbEntity* image, const std::string& basePath) {
  OpenEntity heldImage(image);
  const AcDbObjectId definitionId = DefinitionOf(image);
  AcDbRasterImageDef* definition = nullptr;
  if (acdbOpenObject(definition, definitionId, AcDb::kForWrite) != Acad::eOk) return false;
  const std::string sourcePath = definition->sourceFileName();
  std::string ownBasePath, extension;
  if (!splitImageSourcePath(sourcePath, ownBasePath, extension)) {
    definition->close();
    PrintCatalogueLine(msg::kImageWithoutExtension, sourcePath);
    return false;
  }
  const std::string base = EqualsNoCase(basePath, ownBasePath) ? ownBasePath : basePath;
  definition->unload(true);
  definition->close();

  // A failed or aborted edit leaves the image showing the picture it had.
  bool edited = false;
  try {
    edited = editorEdit(editor, base, extension);
  } catch (...) {
    LoadDefinition(definitionId, sourcePath);
    throw;
  }
  if (!edited) {
    LoadDefinition(definitionId, sourcePath);
    return false;
  }
  heldImage.reset();
  const std::string picturePath = base + "." + extension;
  if (!LoadDefinition(definitionId, picturePath)) {
    PrintCatalogueLine(msg::kImageNotReloaded, picturePath);
    return false;
  }
  return true;
}

bool runEditWorkflow(const EditJob& job) {
  if (job.editor == kProgramGimp && !gimpLocated(job.locateGimp)) return false;
  ImageFramesShown framesShown;

  AcDbEntity* picked = nullptr;
  bool wrongClass = false;
  if (!selectSingleEntityOfClass(kRasterImageClass, picked, wrongClass)) {
    if (wrongClass) acutPrintf("%s", theCatalogue.GetCatalogueText(msg::kEntityNotRasterImage).c_str());
    return false;
  }
  OpenEntity image(picked);
  std::string sourcePath;
  if (!ReadSourcePath(image.get(), sourcePath)) return false;
  EditedImage edited;
  if (!splitImageSourcePath(sourcePath, edited.basePath, edited.extension)) {
    PrintCatalogueLine(msg::kImageWithoutExtension, sourcePath);
    return false;
  }
  if (job.confirmSource) job.confirmSource(edited);
  if (edited.basePath.empty()) return false;
  return editImage(job.editor, image.release(), edited.basePath);
}
