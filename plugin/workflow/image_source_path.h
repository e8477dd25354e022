#pragma once
// The picture file of a raster image, split into the parts the edit works on.
#include <string>

// The picture that an edit works on: "%s.%s" (basePath, extension).
struct EditedImage {
  std::string basePath;
  std::string extension;  // without the dot
};

// "D:\img\site.tif" gives the base path "D:\img\site" (folder and file title)
// and the extension "tif" (without the dot, letter case kept). Only a "." in
// the file name counts, so "D:\my.plans\site" has no extension; without one
// (or with an empty one, "site.") the result is false and both are empty.
bool splitImageSourcePath(const std::string& path, std::string& basePath, std::string& extension);
