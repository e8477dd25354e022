// Each Photoshop operation as the editor's journal records it: event,
// descriptor keys, classes, types and values, dialog mode 2.
#include <gmock/gmock.h>
#include <comdef.h>

#include <functional>

#include "bridge_fixture.h"
#include "testing/case_name.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kInPng = R"("In  " path "D:\out.png"; "LwCs" boolean true)";

struct OperationCase {
  const char* name;
  std::function<bool()> run;
  const char* event;
  std::string descriptor;
};

const OperationCase kOperations[] = {
    {"open", [] { return psOpen("D:\\page.png"); }, "Opn ", R"("null" path "D:\page.png")"},
    {"openEps", [] { return psOpenEps("D:\\page.eps", 150); }, "Opn ",
     R"("As  " object "EPSG" {"Rslt" unitFloat "#Rsl" 150}; "null" path "D:\page.eps")"},
    {"saveAsPsd", [] { return psSaveAsPsd("D:\\out.psd"); }, "save",
     R"("As  " class "Pht3"; "In  " path "D:\out.psd"; "LwCs" boolean true)"},
    {"saveAsTiff", [] { return psSaveAsTiff("D:\\out.png"); }, "save",
     R"("As  " object "TIFF" {"BytO" enumerated "Pltf" "IBMP"}; )" + kInPng},
    {"saveAsBmp", [] { return psSaveAsBmp("D:\\out.png"); }, "save",
     R"("As  " globalObject "BMPF" {"Pltf" enumerated "Pltf" "Win "; "BtDp" enumerated "BtDp" "BD24"; "Cmpr" boolean false}; )" +
         kInPng},
    {"saveAsJpeg", [] { return psSaveAsJpeg("D:\\out.png"); }, "save",
     R"("As  " object "JPEG" {"Qlty" integer 6}; )" + kInPng},
    {"saveAsPng", [] { return psSaveAsPng("D:\\out.png"); }, "save",
     R"("As  " globalObject "PNGF" {"PGIT" enumerated "PGIT" "PGIN"; "PNGf" enumerated "PNGf" "PGNo"}; )" + kInPng},
    {"saveAsTarga", [] { return psSaveAsTarga("D:\\out.png"); }, "save",
     R"("As  " globalObject "TrgF" {"BtDp" integer 24}; )" + kInPng},
    {"save", [] { return psSave(); }, "save", ""},
    {"makeLayer", [] { return psMakeLayer("ACAD_Walls", "None", false); }, "Mk  ",
     R"("Nw  " object "Lyr " {"Nm  " string "ACAD_Walls"; "Clr " enumerated "Clr " "None"})"},
    {"makeBackground", [] { return psMakeLayer("", "None", true); }, "Mk  ",
     R"("Nw  " object "BckL" {"Nm  " string ""; "Clr " enumerated "Clr " "None"})"},
    {"deleteLayerAt", [] { return psDeleteLayerAt(2); }, "Dlt ", R"("null" reference [index "Lyr " 2])"},
    {"deleteBackground", [] { return psDeleteBackground(); }, "Dlt ", R"("null" reference [property "Lyr " "Bckg"])"},
    {"duplicateLayerTo", [] { return psDuplicateLayerTo("ACAD_Doors", 4711); }, "Dplc",
     R"("null" reference [enumerated "Lyr " "Ordn" "Trgt"]; "Nm  " string "ACAD_Doors"; "T   " reference [identifier "Dcmn" 4711])"},
    {"selectAll", [] { return psSelectAll(); }, "setd",
     R"("null" reference [property "Chnl" "fsel"]; "T   " enumerated "Ordn" "Al  ")"},
    {"deselect", [] { return psDeselect(); }, "setd",
     R"("null" reference [property "Chnl" "fsel"]; "T   " enumerated "Ordn" "None")"},
    {"foreground", [] { return psSetColor(255, 255, 255, false); }, "setd",
     R"("null" reference [property "Clr " "FrgC"]; "T   " object "RGBC" {"Rd  " float 255; "Grn " float 255; "Bl  " float 255})"},
    {"background", [] { return psSetColor(1, 2, 3, true); }, "setd",
     R"("null" reference [property "Clr " "BckC"]; "T   " object "RGBC" {"Rd  " float 1; "Grn " float 2; "Bl  " float 3})"},
};

class OperationTest : public BridgeTest, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(OperationTest, PlaysItsEventWithItsDescriptorInSilentModeAfterClearingTheSharedOne) {
  WritePlot("page.png", "red", 5);
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\page.png"));
  thePhotoshopConnection.descriptor->PutInteger(PsCode("junk"), 1);
  GetParam().run();
  const auto entry = photoshop::Journal().back();
  EXPECT_EQ(entry.call, "play");
  EXPECT_EQ(entry.event, GetParam().event);
  EXPECT_EQ(entry.dialogMode, 2);
  EXPECT_EQ(entry.descriptor, GetParam().descriptor);
  EXPECT_EQ(photoshop::Describe(thePhotoshopConnection.descriptor), GetParam().descriptor);
  EXPECT_EQ(thePhotoshopConnection.lastResult, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationTest, ::testing::ValuesIn(kOperations),
                         rwtest::CaseName());

TEST_F(BridgeTest, EventsWithoutDescriptorAndPropertyReadsLeaveTheSharedDescriptorAlone) {
  WritePlot("page.png", "red", 5);
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\page.png"));
  const std::string before = photoshop::Describe(thePhotoshopConnection.descriptor);
  LONG id = 0;
  const std::pair<const char*, std::function<bool()>> plays[] = {
      {"copy", psCopy}, {"past", psPaste}, {"Dlt ", psDelete}, {"ClrR", psColorRange}};
  for (const auto& [event, run] : plays) {
    SCOPED_TRACE(event);
    run();
    EXPECT_EQ(photoshop::Journal().back().event, event);
    EXPECT_EQ(photoshop::Journal().back().descriptor, "");
  }
  EXPECT_TRUE(psGetDocumentId(id));
  EXPECT_EQ(photoshop::Journal().back().descriptor, R"(property "Prpr" "DocI"; enumerated "Dcmn" "Ordn" "Trgt")");
  EXPECT_EQ(id, photoshop::Documents().back().id);
  EXPECT_TRUE(psGetBackgroundLayerId(id));
  EXPECT_EQ(photoshop::Journal().back().descriptor, R"(property "Prpr" "LyrI"; property "Lyr " "Bckg")");
  EXPECT_EQ(photoshop::Describe(thePhotoshopConnection.descriptor), before);
}

TEST_F(BridgeTest, WithoutBackgroundTheLayerIdReadIsFalseAndTheValueUnchanged) {
  Magick::Image clear(Magick::Geometry(20, 10), Magick::Color("transparent"));
  clear.write(Posix("clear.png"));
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\clear.png"));
  LONG id = -5;
  EXPECT_FALSE(psGetBackgroundLayerId(id));
  EXPECT_EQ(id, -5);
}

TEST_F(BridgeTest, CloseDiscardingClosesAChangedDocumentWithoutAsking) {
  WritePlot("page.png", "red", 5);
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\page.png"));
  ASSERT_TRUE(psMakeLayer("extra", "None", false));
  ASSERT_TRUE(photoshop::Documents().back().dirty);
  EXPECT_TRUE(psCloseDiscarding());
  EXPECT_TRUE(photoshop::Documents().empty());
  const auto journal = photoshop::Journal();
  EXPECT_EQ(journal[journal.size() - 2].descriptor,
            R"("null" reference [property "Prpr" "IsDr"; enumerated "Dcmn" "Ordn" "Trgt"]; "T   " boolean false)");
  EXPECT_EQ(journal.back().event, "Cls ");
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

TEST_F(BridgeTest, APlayAnsweredWithAResultReportsFalse) {
  ASSERT_TRUE(psConnect());
  EXPECT_FALSE(psOpen("D:\\missing.png"));
  EXPECT_FALSE(psCloseDiscarding());  // no document: not closed
  EXPECT_EQ(photoshop::Journal().back().event, "setd");
  EXPECT_EQ(thePhotoshopConnection.lastResult, nullptr);
}

TEST_F(BridgeTest, ConnectAndDisconnectMakeAndReleaseTheConnection) {
  ASSERT_TRUE(psConnect());
  EXPECT_NE(thePhotoshopConnection.control, nullptr);
  EXPECT_NE(thePhotoshopConnection.descriptor, nullptr);
  EXPECT_TRUE(photoshop::IsRunning());
  psDisconnect();
  EXPECT_EQ(thePhotoshopConnection.application, nullptr);
  EXPECT_EQ(thePhotoshopConnection.descriptor, nullptr);
  EXPECT_EQ(photoshop::Journal().back().call, "quit");
  EXPECT_FALSE(photoshop::IsRunning());
}

TEST_F(BridgeTest, AnOperationWithoutConnectionRaisesACOMError) {
  EXPECT_THROW(psOpen("D:\\page.png"), _com_error);
  EXPECT_THROW(psCopy(), _com_error);
  EXPECT_TRUE(photoshop::Journal().empty());
}

TEST_F(BridgeTest, WithoutPhotoshopConnectFailsAndNothingIsMade) {
  photoshop::Uninstall();
  EXPECT_FALSE(psConnect());
  EXPECT_EQ(thePhotoshopConnection.application, nullptr);
  EXPECT_FALSE(photoshop::IsRunning());
  EXPECT_TRUE(photoshop::Journal().empty());  // no quit either
}

}  // namespace
