// Raster images: definitions (with the picture's real pixel size), the
// image entity, the definition reactor and the drawing's raster variables.
#include <pictures/picture_file.h>

#include <cstring>

#include "database_impl.h"
#include "dbdict.h"
#include "imgdef.h"
#include "imgent.h"
#include "imgvars.h"
#include "win32/posix.h"

ACRX_DEFINE_MEMBERS(AcDbRasterImageDef, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbRasterImageDefReactor, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbRasterImage, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbRasterVariables, AcDbObject)

namespace {

const char* const kImageDictName = "ACAD_IMAGE_DICT";
const char* const kImageVarsName = "ACAD_IMAGE_VARS";

// The picture's size in pixels without reading its pixels; false when the
// file is no picture or cannot be read.
bool pingPictureSize(const std::string& posixPath, int& width, int& height) {
  try {
    const Magick::Image image = pictures::PingPicture(posixPath);
    width = static_cast<int>(image.columns());
    height = static_cast<int>(image.rows());
    return width > 0 && height > 0;
  } catch (const std::exception&) {
    return false;
  }
}

// The file title: the name after the last separator, without its extension.
std::string fileTitle(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace

// --- definition ----------------------------------------------------------------------

AcDbRasterImageDef::AcDbRasterImageDef() = default;

AcDbObjectId AcDbRasterImageDef::imageDictionary(AcDbDatabase* db) {
  if (!db) db = acdbHostApplicationServices()->workingDatabase();
  AcDbDictionary* nod = nullptr;
  if (db->getNamedObjectsDictionary(nod, AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
  AcDbObjectId id;
  nod->getAt(kImageDictName, id);
  nod->close();
  return id;
}

Acad::ErrorStatus AcDbRasterImageDef::createImageDictionary(AcDbDatabase* db, AcDbObjectId& dictId) {
  if (!db) db = acdbHostApplicationServices()->workingDatabase();
  dictId = imageDictionary(db);
  if (!dictId.isNull()) return Acad::eOk;
  AcDbDictionary* nod = nullptr;
  Acad::ErrorStatus es = db->getNamedObjectsDictionary(nod, AcDb::kForWrite);
  if (es != Acad::eOk) return es;
  auto* dict = new AcDbDictionary;
  es = nod->setAt(kImageDictName, dict, dictId);
  nod->close();
  if (es != Acad::eOk) {
    delete dict;
    return es;
  }
  dict->close();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterImageDef::suggestName(const AcDbDictionary* dict, const ACHAR* path, ACHAR* newName,
                                                  std::size_t length) {
  if (!path || !newName) return Acad::eInvalidInput;
  std::string base = fileTitle(path);
  if (base.empty()) base = "Image";
  std::string name = base;
  for (int n = 1; dict && dict->has(name.c_str()); ++n) name = base + std::to_string(n);
  if (name.size() + 1 > length) return Acad::eBufferTooSmall;
  std::memcpy(newName, name.c_str(), name.size() + 1);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterImageDef::setSourceFileName(const ACHAR* path) {
  if (!path) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_source = path;
  m_active = path;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterImageDef::setActiveFileName(const ACHAR* path) {
  if (!path) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_active = path;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterImageDef::load() {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const std::string file = m_active.empty() ? m_source : m_active;
  if (file.empty()) return Acad::eFileNotFound;
  const std::string posix = win32::ToPosixPath(file);
  int w = 0, h = 0;
  if (posix.empty() || !pingPictureSize(posix, w, h)) return Acad::eFileNotFound;
  m_width = w, m_height = h, m_loaded = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterImageDef::unload(Adesk::Boolean modifyDatabase) {
  if (modifyDatabase && !assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_loaded = false;
  return Acad::eOk;
}

AcGeVector2d AcDbRasterImageDef::size() const { return {double(m_width), double(m_height)}; }

void AcDbRasterImageDef::setStoredSize(int width, int height, bool loaded) {
  m_width = width, m_height = height, m_loaded = loaded;
}

// --- reactor -----------------------------------------------------------------------------

namespace {
bool& reactorsEnabled() {
  static bool enabled = true;
  return enabled;
}
}  // namespace

void AcDbRasterImageDefReactor::setEnable(Adesk::Boolean enable) { reactorsEnabled() = enable; }
bool AcDbRasterImageDefReactor::isEnabled() { return reactorsEnabled(); }

// --- image ---------------------------------------------------------------------------------

AcDbRasterImage::AcDbRasterImage() { m_shape = arx::ImageShape{}; }

Acad::ErrorStatus AcDbRasterImage::setImageDefId(AcDbObjectId def) {
  const AcDbStub* stub = def.stub();
  if (!arx::isLiveStub(stub) || !stub->object || !stub->object->isKindOf(AcDbRasterImageDef::desc()))
    return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_def = def;
  return Acad::eOk;
}

void AcDbRasterImage::setReactorId(AcDbObjectId reactor) {
  if (assertWriteEnabled()) m_reactor = reactor;
}

void AcDbRasterImage::setDisplayOpt(ImageDisplayOpt option, Adesk::Boolean value) {
  if (!assertWriteEnabled()) return;
  m_display = value ? (m_display | option) : (m_display & ~option);
}

AcGeVector2d AcDbRasterImage::imageSize(Adesk::Boolean) const {
  const AcDbStub* stub = m_def.stub();
  if (!arx::isLiveStub(stub) || !stub->object) return {0.0, 0.0};
  return static_cast<const AcDbRasterImageDef*>(stub->object.get())->size();
}

Adesk::Boolean AcDbRasterImage::getOrientation(AcGePoint3d& origin, AcGeVector3d& u, AcGeVector3d& v) const {
  const AcGeVector2d size = imageSize();
  origin = m_origin;
  u = m_uPixel * size.x;
  v = m_vPixel * size.y;
  return true;
}

Adesk::Boolean AcDbRasterImage::setOrientation(const AcGePoint3d& origin, const AcGeVector3d& u,
                                               const AcGeVector3d& v) {
  const AcGeVector2d size = imageSize();
  if (size.x <= 0.0 || size.y <= 0.0 || !assertWriteEnabled()) return false;
  setPixelVectors(origin, u * (1.0 / size.x), v * (1.0 / size.y));
  return true;
}

void AcDbRasterImage::setPixelVectors(const AcGePoint3d& origin, const AcGeVector3d& uPixel,
                                      const AcGeVector3d& vPixel) {
  m_origin = origin, m_uPixel = uPixel, m_vPixel = vPixel;
}

const arx::Shape& AcDbRasterImage::shape() const {
  arx::ImageShape image;
  const AcGeVector2d size = imageSize();
  image.origin = {m_origin.x, m_origin.y};
  image.u = {m_uPixel.x * size.x, m_uPixel.y * size.x};
  image.v = {m_vPixel.x * size.y, m_vPixel.y * size.y};
  image.widthPx = static_cast<int>(size.x);
  image.heightPx = static_cast<int>(size.y);
  image.transparent = isSetDisplayOpt(kTransparent);
  if (const AcDbStub* stub = m_def.stub(); arx::isLiveStub(stub) && stub->object) {
    const auto* def = static_cast<const AcDbRasterImageDef*>(stub->object.get());
    image.sourceFile = def->activeFileName();
    image.loaded = def->isLoaded();
  }
  const_cast<arx::Shape&>(m_shape) = std::move(image);
  return m_shape;
}

Acad::ErrorStatus AcDbRasterImage::getGeomExtents(AcDbExtents& extents) const { return AcDbEntity::getGeomExtents(extents); }

Acad::ErrorStatus AcDbRasterImage::transformBy(const AcGeMatrix3d& xform) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_origin.transformBy(xform);
  m_uPixel.transformBy(xform);
  m_vPixel.transformBy(xform);
  return Acad::eOk;
}

// --- raster variables ------------------------------------------------------------------------

AcDbRasterVariables* AcDbRasterVariables::openRasterVariables(AcDb::OpenMode mode, AcDbDatabase* db) {
  if (!db) db = acdbHostApplicationServices()->workingDatabase();
  AcDbDictionary* nod = nullptr;
  if (db->getNamedObjectsDictionary(nod, AcDb::kForRead) != Acad::eOk) return nullptr;
  AcDbObjectId id;
  nod->getAt(kImageVarsName, id);
  nod->close();
  AcDbRasterVariables* vars = nullptr;
  if (!id.isNull()) return acdbOpenObject(vars, id, mode) == Acad::eOk ? vars : nullptr;
  // First use: create them, then hand them out in the mode asked for.
  if (db->getNamedObjectsDictionary(nod, AcDb::kForWrite) != Acad::eOk) return nullptr;
  vars = new AcDbRasterVariables;
  const Acad::ErrorStatus es = nod->setAt(kImageVarsName, vars, id);
  nod->close();
  if (es != Acad::eOk) {
    delete vars;
    return nullptr;
  }
  if (mode != AcDb::kForWrite) vars->downgradeOpen();
  return vars;
}

Acad::ErrorStatus AcDbRasterVariables::setImageFrame(FrameSettings value) {
  if (value < kImageFrameOff || value > kImageFrameBelow) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_frame = value;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterVariables::setImageQuality(ImageQuality value) {
  if (value < kImageQualityDraft || value > kImageQualityHigh) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_quality = value;
  return Acad::eOk;
}
