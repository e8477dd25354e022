#pragma once
// acad-host running "TAVO_IMGEDIT" on a drawing with a raster image that the
// test makes: a picture written with ImageMagick, inserted with the plug-in's
// raster functions and saved as DXF.
#include <Magick++.h>
#include <arx/drawing.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <win32/posix.h>

#include <filesystem>
#include <string>
#include <vector>

#include "raster/image_insert.h"
#include "testing/acad_host.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;

// The image of a saved drawing as the editor sees it.
struct SavedImage {
  bool found = false;
  std::string sourceFile;
  bool loaded = false;
  int widthPx = 0;
};

class EditRun : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.options = {"--drive", "D=" + folder_.path().string(), "--user-dir", folder_.posix("user"),
                     "--save-as", folder_.posix("out.dxf")};
    ASSERT_TRUE(win32::MapDrive('D', folder_.path().string()));
    WritePicture("site.png", "orange");
    MakeDrawing();
  }
  void TearDown() override {
    arx::newDrawing();
    win32::UnmapDrive('D');
  }

  void WritePicture(const std::string& name, const char* colour, int width = 40, int height = 20) const {
    Magick::Image picture(Magick::Geometry(width, height), Magick::Color(colour));
    picture.write(Posix(name));
  }
  // A layered document: a white background and one layer of `colour`.
  void WriteLayeredDocument(const std::string& name, const char* colour) const {
    std::vector<Magick::Image> layers = {Magick::Image(Magick::Geometry(40, 20), Magick::Color("white")),
                                         Magick::Image(Magick::Geometry(40, 20), Magick::Color(colour))};
    layers[1].label("ACAD_Walls");
    Magick::writeImages(layers.begin(), layers.end(), Posix(name));
  }
  std::string PixelColour(const std::string& name) const {
    Magick::Image picture(Posix(name));
    const Magick::ColorRGB pixel = picture.pixelColor(5, 5);
    return std::to_string(int(pixel.red() * 255 + 0.5)) + "," + std::to_string(int(pixel.green() * 255 + 0.5)) + "," +
           std::to_string(int(pixel.blue() * 255 + 0.5));
  }

  // A line on "Walls" and the picture `picture` (a Windows path) on "Photo",
  // image frames hidden, saved as site.dxf; remembers both handles.
  void MakeDrawing(const std::string& picture = "D:\\site.png") {
    arx::newDrawing();
    arx::addLayer(arx::workingDrawing(), arx::Layer{"Walls", 1});
    arx::addLayer(arx::workingDrawing(), arx::Layer{"Photo", 3});
    arx::addEntity(arx::workingDrawing(), arx::LineShape{{0, 0}, {200, 100}}, "Walls");
    const AcDbObjectId definition = createImageDefinition(picture);
    ASSERT_FALSE(definition.isNull());
    const AcDbObjectId image = createImage(definition, "Photo");
    AcGeVector2d pixelSize;
    ASSERT_TRUE(attachDefinitionReactor(definition, image));
    ASSERT_TRUE(placeImage(image, PlotWindow{{0, 0}, {200, 100}}, pixelSize));
    ASSERT_TRUE(setImageFrame(false));
    arx::forEachModelEntity(arx::workingDrawing(), [&](const arx::EntityView& entity) {
      (std::holds_alternative<arx::ImageShape>(entity.shape) ? imageHandle_ : lineHandle_) = entity.handle;
    });
    ASSERT_TRUE(arx::saveDrawing(Posix("site.dxf")).ok);
    arx::newDrawing();
  }

  // Puts `to` for the image's file name in site.dxf, as a drawing made
  // elsewhere may hold it.
  void RenameImageInDrawing(const std::string& to) const {
    std::string drawing = folder_.read("site.dxf");
    const std::string from = "D:\\site.png";
    for (std::size_t at = drawing.find(from); at != std::string::npos; at = drawing.find(from, at + to.size()))
      drawing.replace(at, from.size(), to);
    folder_.write("site.dxf", drawing);
  }

  // acad-host on site.dxf with the script and answers; the drawing is saved
  // as out.dxf. The transcript is returned.
  std::string Host(const std::string& answers, const std::string& settings = "") {
    folder_.write("user/Rasterwerk.ini", settings);
    run_ = host_.run("TAVO_IMGEDIT\n", answers, {folder_.posix("site.dxf")});
    exitCode_ = run_.exitCode;
    return run_.transcript;
  }

  // What acad-host and the programs it started wrote to their output.
  std::string HostOutput() const { return run_.output + run_.errors; }

  // The image and the image frame setting of out.dxf.
  SavedImage SavedDrawing(bool& frameShown) const {
    SavedImage image;
    frameShown = true;
    if (!arx::openDrawing(Posix("out.dxf")).ok) return image;
    arx::forEachModelEntity(arx::workingDrawing(), [&](const arx::EntityView& entity) {
      if (const auto* shape = std::get_if<arx::ImageShape>(&entity.shape)) {
        image = SavedImage{true, shape->sourceFile, shape->loaded, shape->widthPx};
      }
    });
    readImageFrame(frameShown);
    return image;
  }

  std::string Posix(const std::string& name) const { return folder_.posix(name); }
  bool Exists(const std::string& name) const { return folder_.exists(name); }

  rwtest::TempFolder folder_{"edit-run"};  // drive D: and the run's files
  rwtest::AcadHost host_{ACAD_HOST, folder_.path()};
  rwtest::HostRun run_;
  std::string lineHandle_;
  std::string imageHandle_;
  int exitCode_ = -1;
};
