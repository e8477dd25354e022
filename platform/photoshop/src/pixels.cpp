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

Layer SingleLayer(Magick::Image pixels) {
  bool transparent = pixels.matte();
  pixels.matte(true);
  return Layer{transparent ? "Layer 0" : "Background", pixels, !transparent, 0};
}

std::vector<Layer> LoadDocument(const std::string& path) {
  std::list<Magick::Image> images = pictures::ReadPictureImages(path);
  if (images.empty()) throw PixelError("no picture in " + path);
  if (images.size() == 1) return {SingleLayer(images.front())};
  images.pop_front();  // the merged picture; the layers follow
  std::vector<Layer> layers;
  for (Magick::Image& image : images) {
    image.matte(true);
    layers.push_back(Layer{image.label(), image, false, 0});
  }
  layers.front().background = layers.front().name == "Background";
  return layers;
}

Magick::Image Flattened(const std::vector<Layer>& layers) {
  Magick::Image page(Magick::Geometry(layers.front().pixels.columns(), layers.front().pixels.rows()),
                     Magick::Color("white"));
  page.composite(Composite(layers), 0, 0, Magick::OverCompositeOp);
  page.matte(false);
  return page;
}

}  // namespace

Magick::Image EmptyPixels(size_t width, size_t height) {
  Magick::Image pixels(Magick::Geometry(width, height), Magick::Color("transparent"));
  pixels.matte(true);
  return pixels;
}

std::vector<Layer> LoadLayers(const std::string& path, double epsResolution) {
  if (!std::filesystem::is_regular_file(path)) throw PixelError("the file " + path + " does not exist");
  const std::string extension = LowerExtension(path);
  try {
    if (extension == ".eps" || extension == ".ps") {
      Magick::Image page = RasteriseEps(path, epsResolution);
      page.matte(true);
      return {Layer{"Layer 1", page, false, 0}};
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
  const Magick::Image& bottom = layers.front().pixels;
  Magick::Image result = EmptyPixels(bottom.columns(), bottom.rows());
  for (const Layer& layer : layers) result.composite(layer.pixels, 0, 0, Magick::OverCompositeOp);
  return result;
}

void WriteLayeredPsd(const std::string& path, const std::vector<Layer>& layers) {
  std::list<Magick::Image> images{Composite(layers)};
  for (const Layer& layer : layers) {
    Magick::Image pixels = layer.pixels;
    pixels.label(layer.name);
    images.push_back(pixels);
  }
  try {
    Magick::writeImages(images.begin(), images.end(), "PSD:" + path);
  } catch (const Magick::Exception& e) {
    throw PixelError(e.what());
  }
}

void WriteFlat(const std::string& path, const std::vector<Layer>& layers, const FlatFormat& format) {
  try {
    Magick::Image picture = format.keepTransparency ? Composite(layers) : Flattened(layers);
    if (!format.keepTransparency) picture.type(Magick::TrueColorType);
    if (format.quality > 0) picture.quality(format.quality);
    picture.endian(format.littleEndian ? Magick::LSBEndian : Magick::MSBEndian);
    picture.interlaceType(format.interlaced ? Magick::PlaneInterlace : Magick::NoInterlace);
    picture.write(format.magickFormat + ":" + path);
  } catch (const Magick::Exception& e) {
    throw PixelError(e.what());
  }
}

}  // namespace photoshop::detail
