#pragma once
// Whether an editor left a whole picture behind: a full disk or a killed
// editor leaves a file that starts right and stops short.
#include <string>

// The picture types whose files can be checked: "psd", "bmp", "jpg", "png",
// "tga" and "tif" (any letter case).
bool isCheckablePictureType(const std::string& type);

// True when `path` (a Windows path) holds a picture of `type` with its
// signature and every part its header announces: the lengths of the PSD
// sections and layer-free image data, the BMP pixel rows, the PNG end
// chunk, the JPEG end marker, the Targa pixels (RLE packets counted), the
// TIFF strips or tiles. Reads the header and the tables it points to, not
// the pixels (except for RLE Targa). False for a missing or unreadable file.
bool isWholePictureFile(const std::string& path, const std::string& type);
