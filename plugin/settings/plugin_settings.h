#pragma once
// The module-wide settings record: the plug-in's identity and paths, and the
// user's choices kept in "Rasterwerk.ini".
#include <afxwin.h>

#include <string>

// 1-based indexes; 0 means "not loaded yet".
enum ProgramKind { kProgramPhotoshop = 1, kProgramGimp = 2 };
enum ImageFormat { kFormatBmp = 1, kFormatJpg = 2, kFormatPng = 3, kFormatTga = 4, kFormatTif = 5 };
enum ResolutionUnit { kUnitPixelPerInch = 1, kUnitPixelPerCm = 2 };

// The names written to the INI file: "Photoshop", "Gimp"; "BMP" ... "TIF";
// "Pixel/inch", "Pixel/cm". An index out of range gives "".
const char* ProgramKindName(int program);
const char* ImageFormatName(int format);
const char* ResolutionUnitName(int unit);
inline constexpr int kProgramKindCount = 2;
inline constexpr int kImageFormatCount = 5;
inline constexpr int kResolutionUnitCount = 2;

struct PluginSettings {
  std::string moduleDirectory;  // with trailing backslash
  std::string applicationKey;   // first argument of the companion LISP calls
  HMODULE hookLibrary = nullptr;  // "Rasterwerk.dll"
  std::string userIniFolder;
  std::string iniFile;  // the user's "Rasterwerk.ini"
  std::string helpFolder;  // with trailing backslash; empty when no help file was found
  std::string helpFileName;
  bool background = false;    // image sent behind the other objects
  bool frame = false;         // the drawing's raster image frame setting
  bool transparency = false;  // image displayed transparent
  double psResolution = 0.0;  // PostScript rasterising resolution, in resolutionUnit
  ResolutionUnit resolutionUnit{};
  std::string imageLayerName;
  std::string layerKey;  // the image layer's key in the companion's layer definitions
  ImageFormat imageFormat{};
  ProgramKind program{};
  std::string gimpExecutable;

  // Read and write the persisted fields in iniFile through `app`'s profile
  // functions; the profile file name is null afterwards. Missing values take
  // their defaults. A save whose writes fail shows "SettingsNotSaved" with
  // the file once (none without a file name).
  void LoadSettings(CWinApp& app);
  void SaveSettings(CWinApp& app);
};

extern PluginSettings theSettings;
