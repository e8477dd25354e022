// The edit workflow's steps in-process: the single pick and the edit of an
// image when the photo editor cannot be reached.
#include <gmock/gmock.h>
#include <Magick++.h>
#include <dbmain.h>
#include <imgdef.h>
#include <imgent.h>
#include <photoshop/server.h>

#include "workflow/edit_workflow.h"
#include "plot/tests/editor_fixture.h"
#include "raster/image_insert.h"
#include "settings/plugin_settings.h"

namespace {

using ::testing::HasSubstr;

class EditWorkflowTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Magick::Image(Magick::Geometry(40, 20), Magick::Color("orange")).write(Posix("site.png"));
    AddLayer("Photo", 3);
    AddLine("Photo", {0, 0}, {10, 10});
    PlotWindow window{{0, 0}, {200, 100}};
    ASSERT_TRUE(insertPicture("D:\\site", "png", "pgw", window, "Photo", ImageOptions{}));
    arx::forEachModelEntity(Drawing(), [&](const arx::EntityView& entity) {
      (std::holds_alternative<arx::ImageShape>(entity.shape) ? imageHandle_ : lineHandle_) = entity.handle;
    });
  }
  void TearDown() override {
    photoshop::Install();
    EditorTest::TearDown();
  }
  static const arx::ImageShape* Image() {
    const arx::ImageShape* found = nullptr;
    arx::forEachModelEntity(Drawing(), [&](const arx::EntityView& entity) {
      if (!found) found = std::get_if<arx::ImageShape>(&entity.shape);
    });
    return found;
  }

  std::string imageHandle_;
  std::string lineHandle_;
};

TEST_F(EditWorkflowTest, TheSinglePickTellsAWrongClassFromNothingPicked) {
  const struct {
    std::string answer;
    bool selected, wrongClass;
  } cases[] = {
      {"pick " + imageHandle_, true, false},
      {"pick " + lineHandle_, false, true},
      {"pick enter", false, false},
      {"pick cancel", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Answer(c.answer + "\n");
    AcDbEntity* entity = nullptr;
    bool wrongClass = !c.wrongClass;
    EXPECT_EQ(selectSingleEntityOfClass("AcDbRasterImage", entity, wrongClass), c.selected) << c.answer;
    EXPECT_EQ(wrongClass, c.wrongClass) << c.answer;
    EXPECT_EQ(entity != nullptr, c.selected) << c.answer;
    if (entity) {
      EXPECT_STREQ(entity->isA()->name(), "AcDbRasterImage");
      entity->close();
    }
  }
}

TEST_F(EditWorkflowTest, PickingALineSaysSoWithoutALineBreakAndHidesTheFramesAgain) {
  theSettings.program = kProgramPhotoshop;
  Answer("pick " + lineHandle_ + "\n");
  EXPECT_FALSE(runEditWorkflow(EditJob{kProgramPhotoshop, nullptr, nullptr}));
  EXPECT_TRUE(Transcript().ends_with("cmdline | Selected entity is not a raster image\n")) << Transcript();
  bool shown = true;
  ASSERT_TRUE(readImageFrame(shown));
  EXPECT_FALSE(shown);
}

TEST_F(EditWorkflowTest, WhenThePhotoEditorCannotBeReachedTheImageKeepsItsPicture) {
  photoshop::Uninstall();
  Answer("pick " + imageHandle_ + "\n");
  AcDbEntity* image = nullptr;
  bool wrongClass = false;
  ASSERT_TRUE(selectSingleEntityOfClass("AcDbRasterImage", image, wrongClass));
  EXPECT_FALSE(editImage(kProgramPhotoshop, image, "D:\\SITE"));
  EXPECT_THAT(Transcript(), HasSubstr("Photoshop is not available"));
  ASSERT_NE(Image(), nullptr);
  EXPECT_EQ(Image()->sourceFile, "D:\\site.png");
  EXPECT_TRUE(Image()->loaded);
  // The image was closed: it opens for write again.
  AcDbEntity* reopened = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(reopened, arx::idFromHandle(Drawing(), imageHandle_), AcDb::kForWrite), Acad::eOk);
  reopened->close();
}

}  // namespace
