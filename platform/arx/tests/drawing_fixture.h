#pragma once
// Shared helpers of the drawing tests: a fresh drawing in a fresh temp folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "arx/drawing.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "gemat3d.h"
#include "imgdef.h"
#include "imgent.h"
#include "testing/command.h"
#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace drawing_test {

// Runs a command; its exit status, and its output (standard error included)
// in `output`.
inline int run(const std::string& command, std::string& output) {
  return rwtest::runCommand(command + " 2>&1", output);
}

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override { arx::newDrawing(); }
  void TearDown() override {
    arx::newDrawing();
    arx::clearRefusals();
  }
  AcDbDatabase& db() { return arx::workingDrawing(); }
  std::string path(const std::string& name) const { return dir + "/" + name; }
  // A small binary PPM picture of width x height pixels; returns its Windows path.
  // A grey 24-bit Windows bitmap of `width` x `height` pixels.
  std::string picture(const std::string& name, int width, int height) {
    const std::uint32_t rowBytes = (std::uint32_t(width) * 3 + 3) & ~3u, pixelBytes = rowBytes * height;
    std::string header = "BM";
    auto put = [&header](std::uint32_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) header += char(value >> (8 * i));
    };
    put(54 + pixelBytes, 4), put(0, 4), put(54, 4);                    // file header
    put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2);  // info header
    put(0, 4), put(pixelBytes, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    std::ofstream(path(name), std::ios::binary) << header << std::string(pixelBytes, '\x80');
    return win32::ToWindowsPath(path(name));
  }
  void writeText(const std::string& name, const std::string& text) { std::ofstream(path(name), std::ios::binary) << text; }
  std::string readText(const std::string& name) {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Adds an image of `file` on `layer`, placed like the image commands place one.
  AcDbObjectId addImage(const std::string& file, const char* layer, double scale, double x, double y) {
    AcDbObjectId dictId;
    EXPECT_EQ(AcDbRasterImageDef::createImageDictionary(&db(), dictId), Acad::eOk);
    AcDbDictionary* dict = nullptr;
    EXPECT_EQ(acdbOpenObject(dict, dictId, AcDb::kForWrite), Acad::eOk);
    auto* def = new AcDbRasterImageDef;
    def->setSourceFileName(file.c_str());
    EXPECT_EQ(def->load(), Acad::eOk);
    char name[2049];
    AcDbRasterImageDef::suggestName(dict, file.c_str(), name);
    AcDbObjectId defId;
    EXPECT_EQ(dict->setAt(name, def, defId), Acad::eOk);
    def->close();
    dict->close();

    auto* image = new AcDbRasterImage;
    image->setImageDefId(defId);
    EXPECT_EQ(image->setLayer(layer), Acad::eOk);
    AcDbBlockTable* table = nullptr;
    AcDbBlockTableRecord* space = nullptr;
    db().getBlockTable(table, AcDb::kForRead);
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    AcDbObjectId imageId;
    EXPECT_EQ(space->appendAcDbEntity(imageId, image), Acad::eOk);
    space->close();
    table->close();

    AcDbRasterImageDefReactor::setEnable(false);
    auto* reactor = new AcDbRasterImageDefReactor;
    reactor->setOwnerId(imageId);
    AcDbObjectId reactorId;
    EXPECT_EQ(db().addAcDbObject(reactorId, reactor), Acad::eOk);
    image->setReactorId(reactorId);
    AcDbRasterImageDef* opened = nullptr;
    EXPECT_EQ(acdbOpenObject(opened, defId, AcDb::kForWrite), Acad::eOk);
    opened->addPersistentReactor(reactorId);
    opened->close();
    reactor->close();
    AcDbRasterImageDefReactor::setEnable(true);

    AcGeMatrix3d m;
    image->transformBy(m.setToScaling(scale));
    image->transformBy(m.setToTranslation(AcGeVector3d(x, y, 0.0)));
    image->setDisplayOpt(AcDbRasterImage::kTransparent, true);
    image->close();
    return imageId;
  }

  rwtest::TempFolder folder_{"arx-drawing"};
  const std::string dir = folder_.path().string();
};

}  // namespace drawing_test
