#pragma once
// Raster image definitions (one per picture file) and their reactors.
#include <cstddef>
#include <string>

#include "dbmain.h"
#include "gevec2d.h"

class AcDbDictionary;

class AcDbRasterImageDef : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRasterImageDef)
  AcDbRasterImageDef();

  // The image dictionary ("ACAD_IMAGE_DICT" of the named objects dictionary), or null.
  static AcDbObjectId imageDictionary(AcDbDatabase* db);
  static Acad::ErrorStatus createImageDictionary(AcDbDatabase* db, AcDbObjectId& dictId);
  // A dictionary name made from the file's title that the dictionary does not hold yet.
  static Acad::ErrorStatus suggestName(const AcDbDictionary* dict, const ACHAR* newImagePathName,
                                       ACHAR* newImageName, std::size_t newImageNameBufLength = 2049);

  Acad::ErrorStatus setSourceFileName(const ACHAR* path);  // Windows path
  const ACHAR* sourceFileName() const { return m_source.c_str(); }
  Acad::ErrorStatus setActiveFileName(const ACHAR* path);
  const ACHAR* activeFileName() const { return m_active.c_str(); }
  // Reads the picture's pixel size from the active file.
  Acad::ErrorStatus load();
  Acad::ErrorStatus unload(Adesk::Boolean modifyDatabase = true);
  Adesk::Boolean isLoaded() const { return m_loaded; }
  AcGeVector2d size() const;  // pixels; (0, 0) before the first load
  int width() const { return m_width; }
  int height() const { return m_height; }
  // Stand-in internals: a size as the DXF file stores it.
  void setStoredSize(int width, int height, bool loaded);

 private:
  std::string m_source;
  std::string m_active;
  int m_width = 0;
  int m_height = 0;
  bool m_loaded = false;
};

// Ties one image to its definition; owned by the image.
class AcDbRasterImageDefReactor : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRasterImageDefReactor)
  static void setEnable(Adesk::Boolean enable);
  static bool isEnabled();
};
