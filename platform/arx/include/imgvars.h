#pragma once
// The drawing-wide raster settings ("ACAD_IMAGE_VARS").
#include "dbmain.h"

class AcDbRasterVariables : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRasterVariables)
  enum FrameSettings { kImageFrameInvalid = -1, kImageFrameOff = 0, kImageFrameOn = 1, kImageFrameBelow = 2 };
  enum ImageQuality { kImageQualityInvalid = -1, kImageQualityDraft = 0, kImageQualityHigh = 1 };

  // Opens the variables of `db` (the working database when null), creating them when missing.
  static AcDbRasterVariables* openRasterVariables(AcDb::OpenMode mode, AcDbDatabase* db = nullptr);

  FrameSettings imageFrame() const { return m_frame; }
  Acad::ErrorStatus setImageFrame(FrameSettings value);
  ImageQuality imageQuality() const { return m_quality; }
  Acad::ErrorStatus setImageQuality(ImageQuality value);

 private:
  FrameSettings m_frame = kImageFrameOn;
  ImageQuality m_quality = kImageQualityHigh;
};
