// The editor's layered documents and the real GIMP: GIMP opens what the
// editor wrote with every layer, name, place and pixel, and the editor opens
// what GIMP writes without loss.
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "psd_fixture.h"

namespace {

// Runs a Script-Fu batch in the console GIMP; its exit status.
int RunGimp(const fs::path& folder, const std::string& script) {
  std::ofstream(folder / "batch.scm") << script << "\n(gimp-quit 0)\n";
  setenv("XDG_CACHE_HOME", GIMP_CACHE_DIR, 1);
  const std::string command = "gimp-console-2.10 -i -d -f -b - < '" + (folder / "batch.scm").string() + "' > '" +
                              (folder / "gimp.log").string() + "' 2>&1";
  return std::system(command.c_str());
}

// For every layer, bottom to top: "name|x,y,widthxheight|#(r g b a)" with the
// pixel at the layer's top left corner; then the document saved as `out`
// with PackBits channels.
std::string ReportAndSave(const std::string& in, const std::string& report, const std::string& out) {
  return "(let* ((image (car (gimp-file-load RUN-NONINTERACTIVE \"" + in + "\" \"" + in + "\")))\n"
         "       (layers (reverse (vector->list (cadr (gimp-image-get-layers image)))))\n"
         "       (port (open-output-file \"" + report + "\")))\n"
         "  (for-each (lambda (layer)\n"
         "      (let ((offsets (gimp-drawable-offsets layer)))\n"
         "        (display (car (gimp-item-get-name layer)) port) (display \"|\" port)\n"
         "        (display (car offsets) port) (display \",\" port) (display (cadr offsets) port) (display \",\" port)\n"
         "        (display (car (gimp-drawable-width layer)) port) (display \"x\" port)\n"
         "        (display (car (gimp-drawable-height layer)) port) (display \"|\" port)\n"
         "        (display (cadr (gimp-drawable-get-pixel layer 0 0)) port) (newline port)))\n"
         "    layers)\n"
         "  (close-output-port port)\n"
         "  (file-psd-save RUN-NONINTERACTIVE image (car (gimp-image-get-active-drawable image)) \"" + out + "\" \"" +
         out + "\" 1 0))";
}

TEST_F(LayeredDocumentTest, GimpReadsItAndTheEditorReadsWhatGimpWrites) {
  BuildPlan("plan.psd");
  ASSERT_EQ(SaveAs("plan.png", "PNGF"), "");  // the merged picture
  ASSERT_EQ(Close(), "");
  ASSERT_EQ(RunGimp(folder_.path(), ReportAndSave(PosixPath("plan.psd"), PosixPath("report.txt"), PosixPath("gimp.psd"))), 0)
      << Bytes("gimp.log");
  EXPECT_EQ(Bytes("report.txt"), "Background|0,0,120x80|#(255 255 255 255)\n" + std::string(kRoadUtf8) +
                                     "|0,0,1x1|#(0 0 0 0)\n" + kTreesUtf8 + "|20,30,31x16|#(0 128 0 255)\n");
  ASSERT_EQ(Open("gimp.psd"), "");
  const auto documents = photoshop::Documents();
  ASSERT_EQ(documents.size(), 1u);
  EXPECT_EQ(documents[0].layers, (std::vector<std::string>{"Background", kRoadUtf8, kTreesUtf8}));
  ASSERT_EQ(SaveAs("gimp.png", "PNGF"), "");
  Magick::Image ours(PosixPath("plan.png")), gimps(PosixPath("gimp.png"));
  EXPECT_TRUE(ours.compare(gimps));
}

}  // namespace
