// "TAVO_IMGCREATE" with the real GIMP, unattended, through the shipped
// launcher on drive C: and the script installed at the user's Yes.
#include <gmock/gmock.h>

#include "create_fixture.h"
#include "testing/transcript.h"

namespace {

using ::testing::HasSubstr;

class GimpCreateRun : public CreateRun {
 protected:
  GimpCreateRun() {
    fs::create_directories(dir / "C");
    fs::copy(fs::path(MOXI_FILES_DIR) / "gimp", dir / "C" / "gimp", fs::copy_options::recursive);
    fs::create_directories(dir / "user");
    std::ofstream(dir / "user" / "Rasterwerk.ini")
        << "[SETTINGS_GROUP_GRAPHIC]\r\nProgram=Gimp\r\nGimpFilePath=C:\\gimp\\bin\\gimp-2.10.exe\r\n";
    // GIMP quits by itself; its prepared user folder is kept between runs.
    host.environment = {"RW_GIMP_UNATTENDED=1", std::string("XDG_CACHE_HOME=") + GIMP_CACHE_DIR};
  }
};

TEST_F(GimpCreateRun, LeavesTheLayeredDocumentThePictureTheWorldFileAndTheImage) {
  EXPECT_EQ(Host("TAVO_IMGCREATE\n", "dialog 12000 select 12006 PNG\ndialog 12000 click 12032\nmsgbox yes\n",
                 {"--drive", "C=" + (dir / "C").string(), "--save-as", (dir / "saved.dxf").string()}),
            0)
      << transcript;
  EXPECT_THAT(transcript, HasSubstr("buttons=yesnocancel icon=question owner=\"Rasterwerk\" -> yes\n"
                       "  | The .scm file needed to process the image with Gimp could not be found."));
  EXPECT_TRUE(fs::exists(dir / "C" / "gimp" / "share" / "gimp" / "2.10" / "scripts" / "Rasterwerk.scm"));
  // The plots and the layers file are gone.
  EXPECT_EQ(FilesIn(work), (std::vector<std::string>{"site.dxf", "site.pgw", "site.png", "site.psd"})) << transcript;
  const std::vector<std::string> layers = PsdLayerNames(work / "site.psd");
  for (const char* layer : {"PARCELS", "BUILDINGS", "ROADS", "VEGETATION", "WATER", "TEXT"}) {
    SCOPED_TRACE(layer);
    EXPECT_NE(std::find(layers.begin(), layers.end(), layer), layers.end()) << layer;
  }
  Magick::Image picture;
  picture.ping((work / "site.png").string());
  EXPECT_EQ(picture.magick(), "PNG");
  ExpectOneImageOverThePlotWindow(dir / "saved.dxf", "0");
  const std::string settings = readFile(dir / "user" / "Rasterwerk.ini");
  for (const char* entry : {"Program=Gimp", "Format=PNG"}) {
    SCOPED_TRACE(entry);
    EXPECT_THAT(settings, HasSubstr(entry)) << entry << "\n" << settings;
  }
  EXPECT_THAT(rwtest::lastBlock(transcript, "dialog 12000 closed"), HasSubstr("result=1"));
}

}  // namespace
