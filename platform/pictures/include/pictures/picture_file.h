#pragma once
// Opening a picture file that a drawing or a user names. ImageMagick never
// gets such a name as it stands, where a prefix ("text:", "msl:") or the
// content (SVG, MVG, PostScript) would choose a coder that reads other files
// or runs a script: the file's first bytes must show one of the picture types
// below, and that type's coder reads it ("PNG:/path"). Anything else is not a
// picture. ImageMagick's resource limits are set before the first read, so a
// hostile picture cannot exhaust memory or disk.
#include <Magick++.h>

#include <list>
#include <optional>
#include <stdexcept>
#include <string>

namespace pictures {

enum class PictureType { Png, Jpeg, Tiff, Bmp, Tga, Gif, Psd };

// The type that the file's signature shows (for Targa, which has none, a
// header whose fields are all valid); nullopt for any other file, one that
// cannot be read, or a name that ImageMagick would read as another file.
std::optional<PictureType> SniffPictureType(const std::string& posixPath);

// ImageMagick's coder for the type: "PNG", "JPEG", "TIFF", ...
const char* CoderOf(PictureType type);

// A file that is no picture of a known type.
class NotAPicture : public std::runtime_error {
 public:
  explicit NotAPicture(const std::string& posixPath) : std::runtime_error(posixPath + " is not a picture") {}
};

// Sets ImageMagick up once, with its resource limits; every function below
// calls it.
void InitializePictures();

// The picture's size (no pixels) / its pixels (the first image) / every
// image in the file (a layered document's merged picture and layers).
// NotAPicture for a file of no known type; Magick::Exception when the file
// is damaged or exceeds the limits.
Magick::Image PingPicture(const std::string& posixPath);
Magick::Image ReadPicture(const std::string& posixPath);
std::list<Magick::Image> ReadPictureImages(const std::string& posixPath);

}  // namespace pictures
