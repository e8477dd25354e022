// "TAVO_IMGCREATE" with the real GIMP, unattended, through the shipped
// launcher on drive C: and the script installed at the user's Yes.
#include "create_fixture.h"

namespace {

class GimpCreateRun : public CreateRun {
 protected:
  GimpCreateRun() {
    fs::create_directories(dir / "C");
    fs::copy(fs::path(MOXI_FILES_DIR) / "gimp", dir / "C" / "gimp", fs::copy_options::recursive);
    fs::create_directories(dir / "user");
    std::ofstream(dir / "user" / "Rasterwerk.ini")
        << "[SETTINGS_GROUP_GRAPHIC]\r\nProgram=Gimp\r\nGimpFilePath=C:\\gimp\\bin\\gimp-2.10.exe\r\n";
    setenv("RW_GIMP_UNATTENDED", "1", 1);
    setenv("XDG_CACHE_HOME", GIMP_CACHE_DIR, 1);  // GIMP's prepared user folder, kept between runs
  }
};

TEST_F(GimpCreateRun, LeavesTheLayeredDocumentThePictureTheWorldFileAndTheImage) {
  Magick::InitializeMagick(nullptr);
  EXPECT_EQ(Host("TAVO_IMGCREATE\n", "dialog 12000 select 12006 PNG\ndialog 12000 click 12032\nmsgbox yes\n",
                 "--drive C=" + Quoted(dir / "C") + " --save-as " + Quoted(dir / "saved.dxf")),
            0)
      << transcript;
  EXPECT_TRUE(Contains("buttons=yesnocancel icon=question owner=\"Rasterwerk\" -> yes\n"
                       "  | The .scm file needed to process the image with Gimp could not be found."))
      << transcript;
  EXPECT_TRUE(fs::exists(dir / "C" / "gimp" / "share" / "gimp" / "2.10" / "scripts" / "Rasterwerk.scm"));
  // The plots and the layers file are gone.
  EXPECT_EQ(FilesIn(work), (std::vector<std::string>{"site.dxf", "site.pgw", "site.png", "site.psd"})) << transcript;
  const std::vector<std::string> layers = PsdLayerNames(work / "site.psd");
  for (const char* layer : {"PARCELS", "BUILDINGS", "ROADS", "VEGETATION", "WATER", "TEXT"}) {
    EXPECT_NE(std::find(layers.begin(), layers.end(), layer), layers.end()) << layer;
  }
  Magick::Image picture;
  picture.ping((work / "site.png").string());
  EXPECT_EQ(picture.magick(), "PNG");
  ExpectOneImageOverThePlotWindow(dir / "saved.dxf", "0");
  const std::string settings = ReadFile(dir / "user" / "Rasterwerk.ini");
  for (const char* entry : {"Program=Gimp", "Format=PNG"}) {
    EXPECT_NE(settings.find(entry), std::string::npos) << entry << "\n" << settings;
  }
  EXPECT_NE(transcript.find("result=1", transcript.rfind("dialog 12000 closed")), std::string::npos) << transcript;
}

}  // namespace
