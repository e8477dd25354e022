// Reading and writing pictures and layered documents.
#include "pixels.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <pictures/picture_file.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <list>

#include "psd_writer.h"
#include "safe_save.h"

extern char** environ;

namespace photoshop::detail {
namespace {

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  return extension;
}

// Ghostscript's PNG with alpha for the EPS at that resolution, in a private
// temporary folder removed on every path.
Magick::Image RasteriseEps(const std::string& path, double resolution) {
  if (resolution <= 0 || resolution > 10000) throw PixelError("the resolution " + std::to_string(resolution) + " is out of range");
  char folderTemplate[] = "/tmp/rw-eps-XXXXXX";
  if (mkdtemp(folderTemplate) == nullptr) throw PixelError("no temporary folder for the EPS conversion");
  const std::string folder = folderTemplate;
  const std::string output = folder + "/page.png";
  const std::string outputArgument = "-sOutputFile=" + output;
  const std::string resolutionArgument = "-r" + std::to_string(static_cast<int>(resolution + 0.5));
  std::vector<std::string> arguments{"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop",
                                     "-sDEVICE=pngalpha", resolutionArgument, outputArgument, "--",
                                     path.front() == '/' ? path : "./" + path};  // never an option or device
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  int status = -1;
  if (posix_spawnp(&child, "gs", nullptr, nullptr, argv.data(), environ) == 0) waitpid(child, &status, 0);
  Magick::Image page;
  std::string failure;
  try {
    if (status != 0) failure = "Ghostscript could not rasterise " + path;
    else page = pictures::ReadPicture(output);
  } catch (const std::exception& e) {  // damaged, or not the PNG asked for
    failure = e.what();
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  if (!failure.empty()) throw PixelError(failure);
  return page;
}

Layer SingleLayer(const Magick::Image& pixels) {
  const bool transparent = pixels.matte();
  return Layer{transparent ? "Layer 0" : "Background", LayerPixels::FromImage(pixels), !transparent, 0};
}

// A layer stored at its bounds, put at its place on the canvas.
LayerPixels OnCanvas(const Magick::Image& layer, size_t width, size_t height) {
  const Magick::Geometry page = layer.page();
  const ssize_t x = page.xNegative() ? -static_cast<ssize_t>(page.xOff()) : static_cast<ssize_t>(page.xOff());
  const ssize_t y = page.yNegative() ? -static_cast<ssize_t>(page.yOff()) : static_cast<ssize_t>(page.yOff());
  if (x == 0 && y == 0 && layer.columns() == width && layer.rows() == height) return LayerPixels::FromImage(layer);
  Magick::Image canvas(Magick::Geometry(width, height), Magick::Color("transparent"));
  canvas.matte(true);
  canvas.composite(layer, x, y, Magick::OverCompositeOp);
  return LayerPixels::FromImage(canvas);
}

std::vector<Layer> LoadDocument(const std::string& path) {
  std::list<Magick::Image> images = pictures::ReadPictureImages(path);
  if (images.empty()) throw PixelError("no picture in " + path);
  if (images.size() == 1) return {SingleLayer(images.front())};
  const size_t width = images.front().columns(), height = images.front().rows();
  images.pop_front();  // the merged picture; the layers follow
  std::vector<Layer> layers;
  while (!images.empty()) {  // each layer leaves ImageMagick's list once it is kept
    Magick::Image& image = images.front();
    image.matte(true);
    layers.push_back(Layer{image.label(), OnCanvas(image, width, height), false, 0});
    images.pop_front();
  }
  layers.front().background = layers.front().name == "Background";
  return layers;
}

Magick::Image FromRgba(const std::vector<uint8_t>& rgba, size_t width, size_t height) {
  Magick::Image picture(width, height, "RGBA", Magick::CharPixel, rgba.data());
  picture.matte(true);
  return picture;
}

// The merged layers on white, opaque.
Magick::Image Flattened(const std::vector<Layer>& layers) {
  std::vector<uint8_t> rgba = MergedRgba(layers);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    const unsigned a = rgba[i + 3];
    for (int c = 0; c < 3; ++c) rgba[i + c] = static_cast<uint8_t>((rgba[i + c] * a + 255 * (255 - a) + 127) / 255);
    rgba[i + 3] = 255;
  }
  Magick::Image page = FromRgba(rgba, layers.front().pixels.width(), layers.front().pixels.height());
  page.matte(false);
  return page;
}

}  // namespace

std::vector<Layer> LoadLayers(const std::string& path, double epsResolution) {
  if (!std::filesystem::is_regular_file(path)) throw PixelError("the file " + path + " does not exist");
  const std::string extension = LowerExtension(path);
  try {
    if (extension == ".eps" || extension == ".ps") {
      Magick::Image page = RasteriseEps(path, epsResolution);
      page.matte(true);
      return {Layer{"Layer 1", LayerPixels::FromImage(page), false, 0}};
    }
    if (extension == ".psd") return LoadDocument(path);
    for (const char* known : {".png", ".jpg", ".jpeg", ".tif", ".tiff", ".bmp", ".tga"})
      if (extension == known) return {SingleLayer(pictures::ReadPicture(path))};
  } catch (const Magick::Exception& e) {
    throw PixelError(e.what());
  } catch (const pictures::NotAPicture& e) {
    throw PixelError(e.what());
  }
  throw PixelError("the file type of " + path + " is not supported");
}

Magick::Image Composite(const std::vector<Layer>& layers) {
  return FromRgba(MergedRgba(layers), layers.front().pixels.width(), layers.front().pixels.height());
}

void WriteLayeredPsd(const std::string& path, const std::vector<Layer>& layers) {
  SaveReplacing(path, [&](const std::string& temporary) { WritePsdFile(temporary, layers); });
}

void WriteFlat(const std::string& path, const std::vector<Layer>& layers, const FlatFormat& format) {
  Magick::Blob blob;
  try {
    Magick::Image picture = format.keepTransparency ? Composite(layers) : Flattened(layers);
    if (!format.keepTransparency) picture.type(Magick::TrueColorType);
    if (format.quality > 0) picture.quality(format.quality);
    picture.endian(format.littleEndian ? Magick::LSBEndian : Magick::MSBEndian);
    picture.interlaceType(format.interlaced ? Magick::PlaneInterlace : Magick::NoInterlace);
    picture.magick(format.magickFormat);
    picture.write(&blob);
  } catch (const Magick::Exception& e) {
    throw PixelError(e.what());
  }
  SaveReplacing(path, [&](const std::string& temporary) { WriteWholeFile(temporary, blob.data(), blob.length()); });
}

}  // namespace photoshop::detail
