// Captions from dfelmar2.msg beside the library.
#include <gmock/gmock.h>

#include "HatchFixture.h"
#include "Translate.h"
#include "testing/transcript.h"

namespace hatchtest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char kHatchOpened[] = "form frmSchraffur opened";
const char kOptionsOpened[] = "form FormOptionen opened";

TEST_F(HatchTest, ShippedFileHasATextForEveryKeyOfBothForms) {
  std::string transcript = Run("form frmSchraffur click optionenButton\nform FormOptionen close\n"
                               "form frmSchraffur close\n");
  for (const char* header : {kHatchOpened, kOptionsOpened}) {
    SCOPED_TRACE(header);
    std::string block = rwtest::block(transcript, header);
    ASSERT_FALSE(block.empty());
    EXPECT_THAT(block, Not(HasSubstr("X_")));
  }
  EXPECT_THAT(transcript, Not(HasSubstr("msgbox")));
}

TEST_F(HatchTest, WithoutMessageFileEachFormReportsThePathAndShowsItsKeys) {
  Load(MessageFile::None);
  std::string transcript = Run("msgbox ok\nform frmSchraffur click optionenButton\nmsgbox ok\n"
                               "form FormOptionen close\nform frmSchraffur close\n");
  const std::string message = "  | Cannot access: " + MessageFilePath() + "\n";
  EXPECT_EQ(rwtest::count(transcript, message), 2) << transcript;
  EXPECT_LT(transcript.find(message), transcript.find(kHatchOpened));
  EXPECT_THAT(rwtest::block(transcript, kHatchOpened), HasSubstr("caption=\"X_Schraffur\""));
  EXPECT_THAT(rwtest::controlLine(rwtest::block(transcript, kOptionsOpened), "ButtonOk"), HasSubstr("\"X_ok\""));
}

TEST_F(HatchTest, AnEmptySectionIsReportedAndNothingTranslated) {
  Load(MessageFile::Custom, "[dfelmar-labels]\r\n[andere]\r\nX_Schraffur=Andere\r\n");
  std::string transcript = Run("msgbox ok\nform frmSchraffur close\n");
  EXPECT_THAT(transcript, HasSubstr("  | Section dfelmar-labels does not exist in " + MessageFilePath() + "\n"));
  EXPECT_THAT(rwtest::block(transcript, kHatchOpened), HasSubstr("caption=\"X_Schraffur\""));
}

TEST_F(HatchTest, PartlyTranslatedItemsKeepTheirKeys) {
  Load(MessageFile::Custom, "[DFELMAR-LABELS]\r\nx_normal=Normal\r\nX_Ignorieren = \"Alles\" \r\n");
  std::string transcript = Run("form frmSchraffur click optionenButton\nform FormOptionen close\n"
                               "form frmSchraffur close\n");
  std::string line = rwtest::controlLine(rwtest::block(transcript, kOptionsOpened), "ComboBoxSchraffurStil");
  EXPECT_THAT(line, HasSubstr("text=\"Normal\" items=[\"Normal\",\"X_Aeussere\",\"Alles\"]"));
}

}  // namespace
}  // namespace hatchtest

namespace hatchtest {
namespace {

// Every kind of component the translation knows, on a form of its own.
class TAlleForm : public TForm {
 public:
  TAlleForm() : TForm(nullptr) {
    Caption = "X_Titel";
    auto* panel = Add<TPanel>("X_Panel", this);
    Add<TLabel>("X_Label", panel);
    Add<TDBCheckBox>("X_Daten", panel);
    Add<TRadioButton>("X_Radio", this);
    Add<TEdit>("", this)->Text = "X_Text";
    Menu = new TMenuItem(this);
    Menu->Caption = "X_Menue";
    Grid = Add<TDBGrid>("", this);
    Grid->Columns->Add()->Title->Caption = "X_Spalte";
    Grid->Columns->Add();
  }
  template <class T>
  T* Add(const char* caption, TWinControl* parent) {
    T* c = new T(this);
    c->Caption = caption;
    c->Parent = parent;
    return c;
  }
  TMenuItem* Menu;
  TDBGrid* Grid;
};

TEST_F(HatchTest, TranslatesEveryKindOfCaptionAndLeavesTheRestAlone) {
  Load(MessageFile::Custom,
       "[dfelmar-labels]\nX_Titel=Titel\nX_Panel=Tafel\nX_Label=Marke\nX_Daten=Daten\nX_Radio=Knopf\n"
       "X_Text=Text\nX_Menue=Menue\nX_Spalte=Spalte\n=Leer\n");
  TAlleForm form;
  TranslateLabels(&form, "dfelmar2.msg", "dfelmar-labels", "dfelmar2.dll");
  EXPECT_EQ(form.Caption, "Titel");
  std::vector<std::string> captions;
  for (int i = 0; i < form.ComponentCount; ++i)
    if (auto* c = dynamic_cast<TControl*>(form.Components[i])) captions.push_back(c->Caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"X_Panel", "Marke", "Daten", "Knopf", "", ""}));
  EXPECT_EQ(static_cast<TEdit*>(form.Components[4])->Text, "X_Text");
  EXPECT_EQ(form.Menu->Caption, "Menue");
  EXPECT_EQ(form.Grid->Columns->Items(0)->Title->Caption, "Spalte");
  EXPECT_EQ(form.Grid->Columns->Items(1)->Title->Caption, "");
}

TEST_F(HatchTest, ModuleFolderOfALoadedModuleEndsWithABackslash) {
  Load();
  EXPECT_EQ(ModuleFolder("dfelmar2.dll") + "dfelmar2.msg", MessageFilePath());
  EXPECT_EQ(ModuleFolder("nicht-geladen.dll"), "\\.");
}

}  // namespace
}  // namespace hatchtest
