// The editor's server through COM: installation, events on real files, the
// journal, and the user's turn once someone hooks the editor's thread.

#include <gmock/gmock.h>
#include <filesystem>
#include <fstream>
#include <future>

#include "server_fixture.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::HasSubstr;

// The user finishing in the editor, as a host reads it from its answers file:
// "editor done" in any letter case; anything else stops the run at the start.
TEST(EditorAnswers, SayThatTheUserHasFinished) {
  const auto driver = ui::ScriptedDriver::fromText("EDITOR Done\n");
  ASSERT_EQ(driver->remainingAnswers().size(), 1u);
  EXPECT_EQ(driver->remainingAnswers()[0].words, std::vector<std::string>{"done"});
  for (const char* line : {"editor later\n", "editor\n", "editor done now\n"}) {
    SCOPED_TRACE(line);
    EXPECT_THAT([&] { ui::ScriptedDriver::fromText(line); },
                ::testing::ThrowsMessage<ui::AnswersError>(HasSubstr("answers line 1: expects done")));
  }
}

TEST(ServerInstallation, WithoutTheClassNothingStartsAndWithItTheEditorWindowExists) {
  photoshop::Uninstall();
  CoInitialize(nullptr);
  IUnknown* object = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_PhotoshopApplication, nullptr, 23, IID_IUnknown, reinterpret_cast<void**>(&object)),
            REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(photoshop::IsRunning());
  EXPECT_EQ(FindWindowA("Photoshop", nullptr), nullptr);
  photoshop::Install();
  IPhotoshopApplication* application = Connect();
  ASSERT_NE(application, nullptr);
  EXPECT_NE(FindWindowA("Photoshop", nullptr), nullptr);
  EXPECT_EQ(application->Quit(), S_OK);
  EXPECT_EQ(FindWindowA("Photoshop", nullptr), nullptr);
  IActionControl* control = nullptr;
  EXPECT_EQ(application->MakeControlObject(&control), RPC_E_DISCONNECTED);  // a quit editor answers no more
  application->Release();
  CoUninitialize();
}

TEST(ServerExit, AnEditorStillRunningWithADocumentAtExitStopsCleanly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const rwtest::TempFolder folder("rw-ps-exit");
  const fs::path picture = folder.path() / "exit.png";
  Magick::Image(Magick::Geometry(8, 8), Magick::Color("white")).write(picture.string());
  EXPECT_EXIT(
      {
        photoshop::Install();
        IPhotoshopApplication* application = Connect();
        IActionControl* control = nullptr;
        IActionDescriptor* descriptor = nullptr;
        application->MakeControlObject(&control);
        application->MakeDescriptor(&descriptor);
        std::u16string path = Wide(win32::ToWindowsPath(picture.string()));
        BSTR text = SysAllocString(path.c_str());
        descriptor->PutPath(photoshop::CharId("null"), text);
        SysFreeString(text);
        IActionDescriptor* result = nullptr;
        control->Play(photoshop::CharId("Opn "), descriptor, 2, &result);
        // The client lets go of its objects; the editor keeps running with
        // the document until the program ends.
        for (IUnknown* object : {static_cast<IUnknown*>(result), static_cast<IUnknown*>(descriptor),
                                 static_cast<IUnknown*>(control), static_cast<IUnknown*>(application)})
          if (object) object->Release();
        std::exit(photoshop::Documents().size() == 1 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ServerTest, FlatPicturesOpenWithABackgroundOnlyWhenOpaque) {
  MakePicture("opaque.png", "white");
  MakePicture("clear.png", "transparent");
  EXPECT_EQ(Open("opaque.png"), "");
  EXPECT_EQ(Open("clear.png"), "");
  auto documents = photoshop::Documents();
  ASSERT_EQ(documents.size(), 2u);
  EXPECT_TRUE(documents[0].hasBackground);
  EXPECT_EQ(documents[0].layers, std::vector<std::string>{"Background"});
  EXPECT_FALSE(documents[1].hasBackground);
  EXPECT_NE(documents[0].id, documents[1].id);
}

TEST_F(ServerTest, AnEventThatCannotBeCarriedOutAnswersWithAResultAndIsJournalled) {
  EXPECT_THAT(Open("missing.png"), HasSubstr("does not exist"));
  EXPECT_EQ(photoshop::Journal().back().event, "Opn ");
  EXPECT_EQ(photoshop::Journal().back().dialogMode, 2);
  EXPECT_EQ(Play("Xyzw", [](IActionDescriptor*) {}), "the event \"Xyzw\" is not available");
}

// Files open by what their signature shows, not by their name: a script or
// a damaged or oversized picture under a picture's name is refused.
TEST_F(ServerTest, OnlyPicturesOpenWhateverTheirName) {
  MakePicture("real.png", "white");
  Magick::Image jpeg(Magick::Geometry(30, 20), Magick::Color("red"));
  jpeg.write("JPEG:" + PosixPath("jpeg.png"));
  auto write = [&](const std::string& name, const std::string& content) {
    std::ofstream(PosixPath(name), std::ios::binary) << content;
    return name;
  };
  const std::string png = [&] {
    std::ifstream in(PosixPath("real.png"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  struct Case {
    std::string name;
    bool opens;
  };
  const Case cases[] = {
      {"real.png", true},
      {"jpeg.png", true},
      {write("svg.png", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30\" height=\"20\"/>"), false},
      {write("mvg.tif", "push graphic-context\nviewbox 0 0 30 20\nimage over 0,0 0,0 'text:/etc/hostname'\n"), false},
      {write("text.tga", "hello, no Targa header here"), false},
      {write("truncated.png", png.substr(0, 30)), false},
      {write("huge.bmp", std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xA0\x86\x01\0\xA0\x86\x01\0\x01\0\x18\0", 30) +
                             std::string(24, '\0')),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = photoshop::Documents().size();
    const std::string error = Open(c.name);
    EXPECT_EQ(error.empty(), c.opens) << error;
    if (!c.opens) {
      EXPECT_THAT(error, HasSubstr("could not be opened"));
    }
    EXPECT_EQ(photoshop::Documents().size(), before + (c.opens ? 1 : 0));
  }
}

TEST_F(ServerTest, TargaIsWrittenWithTwentyFourBitsGivenAsANumberOfBits) {
  MakePicture("page.png", "red");
  ASSERT_EQ(Open("page.png"), "");
  std::u16string target = Wide(WindowsPath("page.TGA"));
  auto saveWithDepth = [&](LONG depth) {
    return Play("save", [&](IActionDescriptor* d) {
      IActionDescriptor* options = nullptr;
      app_->MakeDescriptor(&options);
      options->PutInteger(photoshop::CharId("BtDp"), depth);
      d->PutGlobalObject(photoshop::CharId("As  "), photoshop::CharId("TrgF"), options);
      options->Release();
      BSTR text = SysAllocString(target.c_str());
      d->PutPath(photoshop::CharId("In  "), text);
      SysFreeString(text);
      d->PutBoolean(photoshop::CharId("LwCs"), VARIANT_TRUE);
    });
  };
  EXPECT_NE(saveWithDepth(photoshop::CharId("BD24")), "");  // a code is no depth
  EXPECT_EQ(saveWithDepth(24), "");
  Magick::Image written;
  written.ping(PosixPath("page.tga"));  // lower-case extension
  EXPECT_EQ(written.columns(), 30u);
  EXPECT_FALSE(written.matte());
  EXPECT_EQ(written.depth(), 8u);
}

LRESULT CALLBACK PassingHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ServerTest, OnceTheEditorThreadIsHookedTheUserFinishesAndTheDocumentsClose) {
  const rwtest::ScriptedUser user("editor done\n");
  MakePicture("page.png", "white");
  ASSERT_EQ(Open("page.png"), "");
  HWND editor = FindWindowA("Photoshop", nullptr);
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, PassingHook, nullptr, GetWindowThreadProcessId(editor, nullptr));
  ASSERT_NE(hook, nullptr);
  // The user's turn and the close it posts are handled on the editor's thread.
  for (int i = 0; i < 5000 && !photoshop::Documents().empty(); ++i) Sleep(1);
  EXPECT_TRUE(photoshop::Documents().empty());
  EXPECT_THAT(user.transcript(), HasSubstr("editor -> done"));
  UnhookWindowsHookEx(hook);
}

}  // namespace
