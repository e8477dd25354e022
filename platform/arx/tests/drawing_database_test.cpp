// The database API: open modes, tables, dictionaries, raster images,
// system variables, colours and the draw order command.
#include <Magick++.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "acedads.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "drawing_fixture.h"
#include "gemat3d.h"
#include "imgdef.h"
#include "imgent.h"
#include "imgvars.h"

namespace {

using drawing_test::DrawingTest;

class DatabaseTest : public DrawingTest {
 protected:
  AcDbObjectId line() { return arx::addEntity(db(), arx::LineShape{{0, 0}, {10, 5}}, "0"); }

  // A loaded definition of a picture, stored in the image dictionary.
  AcDbObjectId definition(const std::string& file) {
    AcDbObjectId dictId;
    EXPECT_EQ(AcDbRasterImageDef::createImageDictionary(&db(), dictId), Acad::eOk);
    AcDbDictionary* dict = nullptr;
    EXPECT_EQ(acdbOpenObject(dict, dictId, AcDb::kForWrite), Acad::eOk);
    auto* def = new AcDbRasterImageDef;
    EXPECT_EQ(def->setSourceFileName(file.c_str()), Acad::eOk);
    EXPECT_EQ(def->load(), Acad::eOk);
    char name[64];
    EXPECT_EQ(AcDbRasterImageDef::suggestName(dict, file.c_str(), name, sizeof name), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(dict->setAt(name, def, id), Acad::eOk);
    def->close();
    dict->close();
    return id;
  }

  AcDbObjectId image(AcDbObjectId def) {
    auto* image = new AcDbRasterImage;
    EXPECT_EQ(image->setImageDefId(def), Acad::eOk);
    AcDbBlockTable* table = nullptr;
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(db().getBlockTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(space->appendAcDbEntity(id, image), Acad::eOk);
    space->close();
    table->close();
    image->close();
    return id;
  }

  std::vector<std::string> drawOrder() {
    std::vector<std::string> handles;
    arx::forEachModelEntity(db(), [&](const arx::EntityView& e) { handles.push_back(e.handle); });
    return handles;
  }
};

struct OpenCase {
  AcDb::OpenMode first, second;
  Acad::ErrorStatus expected;
};

class OpenModes : public DatabaseTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenModes, SecondOpenFollowsTheRules) {
  const OpenCase c = GetParam();
  const AcDbObjectId id = line();
  AcDbEntity* a = nullptr;
  AcDbEntity* b = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(a, id, c.first), Acad::eOk);
  EXPECT_EQ(acdbOpenAcDbEntity(b, id, c.second), c.expected);
  if (b) b->close();
  a->close();
  ASSERT_EQ(acdbOpenAcDbEntity(b, id, AcDb::kForWrite), Acad::eOk);  // all closed again
  b->close();
}

INSTANTIATE_TEST_SUITE_P(Modes, OpenModes,
                         ::testing::Values(OpenCase{AcDb::kForRead, AcDb::kForRead, Acad::eOk},
                                           OpenCase{AcDb::kForRead, AcDb::kForWrite, Acad::eWasOpenForRead},
                                           OpenCase{AcDb::kForWrite, AcDb::kForWrite, Acad::eWasOpenForWrite},
                                           OpenCase{AcDb::kForWrite, AcDb::kForRead, Acad::eWasOpenForWrite}));

TEST_F(DatabaseTest, OpeningChecksIdsAndClasses) {
  AcDbObject* object = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(object, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
  AcDbEntity* entity = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(entity, db().layerTableId(), AcDb::kForRead), Acad::eNotThatKindOfClass);
  EXPECT_EQ(entity, nullptr);
  // The layer table was closed again after the failed cast.
  AcDbLayerTable* table = nullptr;
  ASSERT_EQ(db().getLayerTable(table, AcDb::kForWrite), Acad::eOk);
  table->close();
  const ads_name bogus = {42, 0};
  AcDbObjectId id;
  EXPECT_EQ(acdbGetObjectId(id, bogus), Acad::eInvalidAdsName);
}

TEST_F(DatabaseTest, RefusedOpenIsATestControl) {
  const AcDbObjectId id = line();
  arx::refuseOpen(id, AcDb::kForWrite, Acad::eOnLockedLayer);
  AcDbEntity* entity = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOnLockedLayer);
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
  entity->close();
  arx::clearRefusals();
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
  entity->close();
}

TEST_F(DatabaseTest, ReadOnlyObjectsRefuseChanges) {
  const AcDbObjectId id = line();
  AcDbLine* l = nullptr;
  ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(l->setStartPoint({5, 5, 0}), Acad::eNotOpenForWrite);
  EXPECT_EQ(l->setLayer("0"), Acad::eNotOpenForWrite);
  EXPECT_EQ(l->startPoint().x, 0.0);
  l->close();
}

TEST_F(DatabaseTest, EntityNamesLayersAndClasses) {
  arx::addLayer(db(), arx::Layer{"Walls", 1, false, true, false});
  const AcDbObjectId id = line();
  ads_name name;
  ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
  AcDbObjectId back;
  ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
  EXPECT_TRUE(c5ObjIdIsEqualTo(back, id));

  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
  EXPECT_STREQ(entity->isA()->name(), "AcDbLine");
  EXPECT_EQ(entity->setLayer("NoSuchLayer"), Acad::eKeyNotFound);
  ASSERT_EQ(entity->setLayer("WALLS"), Acad::eOk);
  ACHAR* layer = entity->layer();
  EXPECT_STREQ(layer, "Walls");
  delete[] layer;
  entity->recordGraphicsModified();
  EXPECT_EQ(entity->graphicsModifiedCount(), 1);
  AcDbLayerTableRecord* record = nullptr;
  ASSERT_EQ(acdbOpenObject(record, entity->layerId(), AcDb::kForWrite), Acad::eOk);
  EXPECT_FALSE(record->isPlottable());
  EXPECT_EQ(record->color().colorIndex(), 1);
  EXPECT_EQ(record->setIsPlottable(true), Acad::eOk);
  record->close();
  entity->close();
  EXPECT_TRUE(arx::findLayer(db(), "Walls")->plottable);
}

TEST_F(DatabaseTest, ClassNamesOfAllEntities) {
  const std::pair<arx::Shape, const char*> cases[] = {
      {arx::LineShape{}, "AcDbLine"},       {arx::PolylineShape{{{{0, 0}, 0}}, false}, "AcDbPolyline"},
      {arx::CircleShape{{0, 0}, 1}, "AcDbCircle"}, {arx::ArcShape{{0, 0}, 1, 0, 1}, "AcDbArc"},
      {arx::TextShape{{0, 0}, 1, 0, "t"}, "AcDbText"}};
  for (const auto& [shape, name] : cases) {
    SCOPED_TRACE(name);
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, arx::addEntity(db(), shape, "0"), AcDb::kForRead), Acad::eOk);
    EXPECT_STREQ(e->isA()->name(), name);
    e->close();
  }
}

TEST_F(DatabaseTest, IteratorWalksModelSpaceInDrawOrder) {
  const AcDbObjectId a = line(), b = line();
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db().modelSpaceId(), AcDb::kForRead), Acad::eOk);
  AcDbBlockTableRecordIterator* it = nullptr;
  ASSERT_EQ(space->newIterator(it), Acad::eOk);
  std::vector<AcDbObjectId> seen;
  for (; !it->done(); it->step()) {
    AcDbEntity* e = nullptr;
    ASSERT_EQ(it->getEntity(e, AcDb::kForWrite), Acad::eOk);
    seen.push_back(e->objectId());
    e->close();
  }
  delete it;
  space->close();
  EXPECT_EQ(seen, (std::vector<AcDbObjectId>{a, b}));
}

TEST_F(DatabaseTest, DictionaryKeysIgnoreCase) {
  AcDbDictionary* nod = nullptr;
  ASSERT_EQ(db().getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
  auto* mine = new AcDbDictionary;
  AcDbObjectId id;
  ASSERT_EQ(nod->setAt("My_Dict", mine, id), Acad::eOk);
  mine->close();
  EXPECT_TRUE(nod->has("MY_DICT"));
  EXPECT_TRUE(nod->has(id));
  EXPECT_FALSE(nod->has("other"));
  auto unnamed = std::make_unique<AcDbDictionary>();
  EXPECT_EQ(nod->setAt("", unnamed.get(), id), Acad::eInvalidKey);
  EXPECT_TRUE(unnamed->isNewObject());  // refused: still the caller's
  nod->close();
}

// Symbol tables find records by name without regard to case, under the
// name they have now, and pass over erased ones unless asked for them.
TEST_F(DatabaseTest, SymbolTableNamesIgnoreCaseFollowRenamesAndErasures) {
  AcDbLayerTable* table = nullptr;
  ASSERT_EQ(db().getLayerTable(table, AcDb::kForWrite), Acad::eOk);
  auto add = [&](const char* name) {
    auto* layer = new AcDbLayerTableRecord;
    EXPECT_EQ(layer->setName(name), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, layer), Acad::eOk);
    layer->close();
    return id;
  };
  const AcDbObjectId trees = add("Trees"), water = add("WATER");
  AcDbObjectId found;
  EXPECT_EQ(table->getAt("TREES", found), Acad::eOk);
  EXPECT_EQ(found, trees);
  auto unnamed = std::make_unique<AcDbLayerTableRecord>();
  EXPECT_EQ(table->add(unnamed.get()), Acad::eInvalidInput);
  auto duplicate = std::make_unique<AcDbLayerTableRecord>();
  duplicate->setName("trees");
  EXPECT_EQ(table->add(duplicate.get()), Acad::eDuplicateKey);

  AcDbLayerTableRecord* layer = nullptr;
  ASSERT_EQ(acdbOpenObject(layer, water, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(layer->setName("Pond"), Acad::eOk);
  layer->close();
  EXPECT_EQ(table->getAt("water", found), Acad::eKeyNotFound);
  EXPECT_EQ(table->getAt("POND", found), Acad::eOk);
  EXPECT_EQ(found, water);

  ASSERT_EQ(acdbOpenObject(layer, trees, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(layer->erase(), Acad::eOk);
  layer->close();
  EXPECT_FALSE(table->has("Trees"));
  EXPECT_EQ(table->getAt("Trees", found, true), Acad::eOk) << "asked for erased records too";
  const AcDbObjectId again = add("TREES");
  EXPECT_EQ(table->getAt("trees", found), Acad::eOk);
  EXPECT_EQ(found, again);
  table->close();
}

TEST_F(DatabaseTest, SuggestedNamesAreNewAndFitTheBuffer) {
  const std::string file = picture("plan.bmp", 4, 4);
  definition(file);
  const AcDbObjectId second = definition(file);
  AcDbDictionary* dict = nullptr;
  ASSERT_EQ(acdbOpenObject(dict, AcDbRasterImageDef::imageDictionary(&db()), AcDb::kForRead), Acad::eOk);
  ACHAR* name = nullptr;
  ASSERT_EQ(dict->nameAt(second, name), Acad::eOk);
  EXPECT_STREQ(name, "plan1");
  delete[] name;
  char tiny[3];
  EXPECT_EQ(AcDbRasterImageDef::suggestName(dict, "D:\\x\\longname.tif", tiny, sizeof tiny), Acad::eBufferTooSmall);
  dict->close();
}

TEST_F(DatabaseTest, DefinitionLoadReadsThePictureSize) {
  auto* def = new AcDbRasterImageDef;
  def->setSourceFileName(picture("p.bmp", 37, 11).c_str());
  ASSERT_EQ(def->load(), Acad::eOk);
  EXPECT_EQ(def->size().x, 37.0);
  EXPECT_EQ(def->size().y, 11.0);
  EXPECT_EQ(def->unload(), Acad::eOk);
  EXPECT_FALSE(def->isLoaded());
  def->setSourceFileName(win32::ToWindowsPath(path("missing.png")).c_str());
  EXPECT_EQ(def->load(), Acad::eFileNotFound);
  writeText("junk.png", "not a picture");
  def->setSourceFileName(win32::ToWindowsPath(path("junk.png")).c_str());
  EXPECT_EQ(def->load(), Acad::eFileNotFound);
  delete def;
}

// A definition loads a picture of a known type, whatever its name; a coder
// prefix, a script, other content or a damaged or oversized picture leaves
// it unloaded, as a missing file does, and runs nothing.
TEST_F(DatabaseTest, DefinitionLoadsOnlyPictures) {
  auto write = [&](const std::string& name, const std::string& coder) {
    Magick::Image picture(Magick::Geometry(6, 4), Magick::Color("orange"));
    if (coder == "TIFF-MSB") picture.endian(Magick::MSBEndian);
    picture.write((coder == "TIFF-MSB" ? "TIFF" : coder) + ":" + path(name));
    return win32::ToWindowsPath(path(name));
  };
  const std::string png = write("a.png", "PNG");
  writeText("script.msl", "<?xml version=\"1.0\"?><image><read filename=\"" + path("a.png") +
                              "\"/><write filename=\"" + path("written.png") + "\"/></image>");
  write("gone.png", "PNG");
  writeText("svg.png", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"6\" height=\"4\"/>");
  writeText("mvg.png", "push graphic-context\nviewbox 0 0 6 4\nimage over 0,0 0,0 'text:/etc/hostname'\n");
  writeText("ps.png", "%!PS-Adobe-3.0\n(/etc/hostname) (r) file\nshowpage\n");
  writeText("truncated.png", readText("a.png").substr(0, 30));
  writeText("huge.bmp", std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xA0\x86\x01\0\xA0\x86\x01\0\x01\0\x18\0", 30) +
                            std::string(24, '\0'));  // 100000 x 100000 pixels, no pixel data
  struct Case {
    std::string file;
    bool loads;
  };
  const Case cases[] = {
      {png, true},
      {write("a.jpg", "JPEG"), true},
      {write("intel.tif", "TIFF"), true},
      {write("motorola.tif", "TIFF-MSB"), true},
      {picture("a.bmp", 6, 4), true},
      {write("a.tga", "TGA"), true},
      {write("a.psd", "PSD"), true},
      {write("a.gif", "GIF"), true},
      {write("jpeg.png", "JPEG"), true},
      {"text:/etc/hostname", false},
      {"msl:" + path("script.msl"), false},
      {"ephemeral:" + path("gone.png"), false},
      {"label:x", false},
      {"PNG:" + path("a.png"), false},
      {path("svg.png"), false},
      {path("mvg.png"), false},
      {path("ps.png"), false},
      {path("truncated.png"), false},
      {path("huge.bmp"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    AcDbRasterImageDef def;
    ASSERT_EQ(def.setSourceFileName(c.file.c_str()), Acad::eOk);
    EXPECT_EQ(def.load(), c.loads ? Acad::eOk : Acad::eFileNotFound);
    EXPECT_EQ(def.isLoaded(), c.loads);
    if (c.loads) {
      EXPECT_EQ(def.size().x, 6.0);
    }
  }
  EXPECT_TRUE(std::filesystem::exists(path("gone.png")));
  EXPECT_FALSE(std::filesystem::exists(path("written.png")));
}

TEST_F(DatabaseTest, ImagePlacementByScalingAndTranslation) {
  const AcDbObjectId id = image(definition(picture("aerial.bmp", 1000, 600)));
  AcDbRasterImage* im = nullptr;
  ASSERT_EQ(acdbOpenObject(im, id, AcDb::kForWrite), Acad::eOk);
  AcDbExtents ext;
  ASSERT_EQ(im->getGeomExtents(ext), Acad::eOk);  // one unit per pixel at the origin
  EXPECT_EQ(ext.minPoint().x, 0.0);
  EXPECT_EQ(ext.maxPoint().x, 1000.0);
  EXPECT_EQ(ext.maxPoint().y, 600.0);
  AcGeMatrix3d m;
  ASSERT_EQ(im->transformBy(m.setToScaling(0.2, AcGePoint3d::kOrigin)), Acad::eOk);
  ASSERT_EQ(im->transformBy(m.setToTranslation(AcGeVector3d(5, 7, 0))), Acad::eOk);
  ASSERT_EQ(im->getGeomExtents(ext), Acad::eOk);
  EXPECT_NEAR(ext.minPoint().x, 5.0, 1e-12);
  EXPECT_NEAR(ext.maxPoint().x, 205.0, 1e-12);
  EXPECT_NEAR(ext.maxPoint().y, 127.0, 1e-12);
  im->setDisplayOpt(AcDbRasterImage::kTransparent, true);
  EXPECT_TRUE(im->isSetDisplayOpt(AcDbRasterImage::kTransparent));
  EXPECT_STREQ(im->isA()->name(), "AcDbRasterImage");
  im->close();

  // The frame crosses a window at its edge; the inside of the picture does not count.
  const ads_point a = {200, 100, 0}, b = {210, 110, 0};
  ads_name ss;
  EXPECT_EQ(acedSSGet("_C", a, b, nullptr, ss), RTNORM);
  acedSSFree(ss);
  const ads_point c = {50, 50, 0}, d = {60, 60, 0};
  EXPECT_EQ(acedSSGet("_C", c, d, nullptr, ss), RTERROR);
}

TEST_F(DatabaseTest, RasterVariablesKeepTheImageFrame) {
  AcDbRasterVariables* vars = AcDbRasterVariables::openRasterVariables(AcDb::kForRead);
  ASSERT_NE(vars, nullptr);
  EXPECT_EQ(vars->imageFrame(), AcDbRasterVariables::kImageFrameOn);
  EXPECT_EQ(vars->setImageFrame(AcDbRasterVariables::kImageFrameOff), Acad::eNotOpenForWrite);
  vars->close();
  vars = AcDbRasterVariables::openRasterVariables(AcDb::kForWrite);
  ASSERT_EQ(vars->setImageFrame(AcDbRasterVariables::kImageFrameOff), Acad::eOk);
  vars->close();
  vars = AcDbRasterVariables::openRasterVariables(AcDb::kForRead);
  EXPECT_EQ(vars->imageFrame(), AcDbRasterVariables::kImageFrameOff);
  vars->close();
}

TEST_F(DatabaseTest, DrawOrderSendsToBackAndFront) {
  const AcDbObjectId a = line();
  line();
  const AcDbObjectId c = line();
  const auto order = drawOrder();
  ads_name name;
  acdbGetAdsName(name, c);
  EXPECT_EQ(acedCommand(RTNONE), RTNORM);
  ASSERT_EQ(acedCommand(RTSTR, "_.DRAWORDER", RTENAME, name, RTSTR, "", RTSTR, "_b", RTNONE), RTNORM);
  EXPECT_EQ(drawOrder(), (std::vector<std::string>{order[2], order[0], order[1]}));
  acdbGetAdsName(name, a);
  ASSERT_EQ(acedCommand(RTSTR, "_.DRAWORDER", RTENAME, name, RTSTR, "", RTSTR, "_f", 0), RTNORM);
  EXPECT_EQ(drawOrder(), (std::vector<std::string>{order[2], order[1], order[0]}));
  EXPECT_EQ(acedCommand(RTSTR, "_.DRAWORDER", RTENAME, name, RTSTR, "", RTSTR, "_a", RTNONE), RTERROR);
  EXPECT_EQ(acedCommand(RTSTR, "_.NOSUCHCOMMAND", RTNONE), RTERROR);
  const ads_name bogus = {7, 0};
  EXPECT_EQ(acedCommand(RTSTR, "_.DRAWORDER", RTENAME, bogus, RTSTR, "", RTSTR, "_b", RTNONE), RTERROR);
}

TEST_F(DatabaseTest, SystemVariables) {
  resbuf rb{};
  ASSERT_EQ(acedGetVar("BACKGROUNDPLOT", &rb), RTNORM);
  EXPECT_EQ(rb.restype, RTSHORT);
  EXPECT_EQ(rb.resval.rint, 2);
  resbuf* zero = acutBuildList(RTSHORT, 0, 0);
  ASSERT_EQ(acedSetVar("backgroundplot", zero), RTNORM);
  acutRelRb(zero);
  ASSERT_EQ(acedGetVar("BACKGROUNDPLOT", &rb), RTNORM);
  EXPECT_EQ(rb.resval.rint, 0);
  resbuf* wrong = acutBuildList(RTSHORT, 9, 0);
  EXPECT_EQ(acedSetVar("BACKGROUNDPLOT", wrong), RTERROR);
  acutRelRb(wrong);

  ASSERT_EQ(acedGetVar("CLAYER", &rb), RTNORM);
  EXPECT_EQ(rb.restype, RTSTR);
  EXPECT_STREQ(rb.resval.rstring, "0");
  std::free(rb.resval.rstring);
  arx::addLayer(db(), arx::Layer{"Photo"});
  arx::addLayer(db(), arx::Layer{"Ice", 7, true, true, true});
  resbuf* photo = acutBuildList(RTSTR, "photo", 0);
  ASSERT_EQ(acedSetVar("CLAYER", photo), RTNORM);
  acutRelRb(photo);
  resbuf* ice = acutBuildList(RTSTR, "Ice", 0);
  EXPECT_EQ(acedSetVar("CLAYER", ice), RTERROR);  // a frozen layer cannot be current
  acutRelRb(ice);
  ASSERT_EQ(acedGetVar("CLAYER", &rb), RTNORM);
  EXPECT_STREQ(rb.resval.rstring, "Photo");
  std::free(rb.resval.rstring);

  arx::setDrawingPath(db(), "D:\\plans\\site.dwg");
  ASSERT_EQ(acedGetVar("DWGNAME", &rb), RTNORM);
  EXPECT_STREQ(rb.resval.rstring, "site.dwg");
  std::free(rb.resval.rstring);
  ASSERT_EQ(acedGetVar("DWGPREFIX", &rb), RTNORM);
  EXPECT_STREQ(rb.resval.rstring, "D:\\plans\\");
  std::free(rb.resval.rstring);
  resbuf* name = acutBuildList(RTSTR, "x.dwg", 0);
  EXPECT_EQ(acedSetVar("DWGNAME", name), RTERROR);  // read only
  acutRelRb(name);
  EXPECT_EQ(acedGetVar("NOSUCHVAR", &rb), RTERROR);
}

TEST_F(DatabaseTest, AciColourTable) {
  struct Case {
    int index;
    int r, g, b;
  } cases[] = {{1, 255, 0, 0},     {2, 255, 255, 0},  {5, 0, 0, 255},    {7, 255, 255, 255}, {8, 128, 128, 128},
               {10, 255, 0, 0},    {11, 255, 127, 127}, {20, 255, 63, 0}, {22, 165, 41, 0},  {23, 165, 103, 82},
               {30, 255, 127, 0},  {140, 0, 191, 255}, {250, 51, 51, 51}, {255, 255, 255, 255}, {0, 0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "index " << c.index);
    const Adesk::Int32 rgb = acedGetRGB(c.index);
    EXPECT_EQ(rgb, c.r | (c.g << 8) | (c.b << 16)) << "index " << c.index;
  }
  EXPECT_EQ(acedGetRGB(256), -1);
  EXPECT_EQ(acedGetRGB(-1), -1);
}

}  // namespace
