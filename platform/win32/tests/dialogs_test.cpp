// Dialogs through the plain Win32 functions: a dialog procedure, control
// messages, pictures, image lists, file dialogs and MulDiv.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <commctrl.h>
#include <ui/dialog.h>
#include <win32/posix.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/scripted_user.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::HasSubstr;

const ui::DialogTemplate kTemplate{
    300, "Plain", DS_MODALFRAME | WS_POPUP | WS_CAPTION, "MS Shell Dlg", 8, 120, 80,
    {{IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 60, 40, 14, "OK"},
     {20, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 100, 14, ""},
     {21, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP, 5, 25, 60, 50, ""},
     {22, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 70, 25, 40, 10, "Check"}}};

std::vector<std::string> seen;

INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    seen.push_back("init " + std::to_string(lParam));
    SetDlgItemTextA(dialog, 20, "start");
    SendDlgItemMessageA(dialog, 21, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b"));
    SendDlgItemMessageA(dialog, 21, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a"));
    CheckDlgButton(dialog, 22, BST_CHECKED);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  seen.push_back(std::to_string(id) + "/" + std::to_string(code));
  if (id == IDOK && code == BN_CLICKED) {
    char text[64];
    GetDlgItemTextA(dialog, 20, text, sizeof text);
    seen.push_back(std::string("text ") + text + " checked " + std::to_string(IsDlgButtonChecked(dialog, 22)));
    EndDialog(dialog, 42);
  }
  return TRUE;
}

class Win32Dialog : public ::testing::Test {
 protected:
  void Answer(const std::string& answers) { user_.answer(answers); }
  std::string Transcript() const { return user_.transcript(); }
  rwtest::ScriptedUser user_;
};

TEST_F(Win32Dialog, TheProcedureGetsInitialisationAndNotifications) {
  seen.clear();
  Answer("dialog 300 set 20 typed\ndialog 300 uncheck 22\ndialog 300 select 21 b\ndialog 300 click 1\n");
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &kTemplate, nullptr, PlainProc, 7), 42);
  EXPECT_EQ(seen, (std::vector<std::string>{"init 7", "20/768", "1/7", "20/768", "20/512", "22/0", "22/7", "21/1",
                                            "21/4", "1/0", "text typed checked 0"}));
}

TEST_F(Win32Dialog, ComboBoxMessagesFollowWindowsRules) {
  Answer("");
  HWND dialog = CreateDialogIndirectParamA(nullptr, &kTemplate, nullptr, nullptr, 0);
  ASSERT_NE(dialog, nullptr);
  HWND combo = GetDlgItem(dialog, 21);
  auto send = [&](UINT message, WPARAM w, const char* text = nullptr) {
    return SendMessageA(combo, message, w, reinterpret_cast<LPARAM>(text));
  };
  EXPECT_EQ(send(CB_ADDSTRING, 0, "Pear"), 0);
  EXPECT_EQ(send(CB_ADDSTRING, 0, "apple"), 0) << "sorted without regard to case";
  EXPECT_EQ(send(CB_INSERTSTRING, static_cast<WPARAM>(-1), "Zucchini"), 2);
  EXPECT_EQ(send(CB_SETCURSEL, 1), 1);
  EXPECT_EQ(send(CB_SETCURSEL, 5), CB_ERR);
  EXPECT_EQ(send(CB_GETCURSEL, 0), CB_ERR) << "an invalid index clears the selection";
  EXPECT_EQ(send(CB_SETCURSEL, 1), 1);
  EXPECT_EQ(send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "PEAR"), 1);
  EXPECT_EQ(send(CB_DELETESTRING, 0), 2);
  EXPECT_EQ(send(CB_GETCURSEL, 0), 0) << "the selection moves with its item";
  char text[16] = "";
  EXPECT_EQ(send(CB_GETLBTEXT, 0, text), 4);
  EXPECT_STREQ(text, "Pear");
  EXPECT_EQ(send(CB_GETLBTEXTLEN, 7), CB_ERR);
  EXPECT_EQ(GetDlgItem(dialog, 99), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
  EXPECT_EQ(GetParent(combo), dialog);
  EXPECT_TRUE(DestroyWindow(dialog));
  EXPECT_FALSE(IsWindow(combo));
}

TEST_F(Win32Dialog, PicturesFromFilesAndImageListsWithoutGrowth) {
  rwtest::TempFolder folder;
  const std::string icon = (folder.path() / "tool.ico").string();
  {
    std::ofstream out(icon, std::ios::binary);
    const unsigned char header[] = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0};
    out.write(reinterpret_cast<const char*>(header), sizeof header);
  }
  HANDLE image = LoadImageA(nullptr, win32::ToWindowsPath(icon).c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE);
  ASSERT_NE(image, nullptr);
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR, 2, 0);
  EXPECT_EQ(ImageList_AddIcon(list, static_cast<HICON>(image)), 0);
  EXPECT_EQ(ImageList_AddIcon(list, static_cast<HICON>(image)), 1);
  EXPECT_EQ(ImageList_AddIcon(list, static_cast<HICON>(image)), -1) << "full, and it may not grow";
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_EQ(LoadImageA(nullptr, "Z:\\no\\such.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_EQ(LoadImageA(nullptr, win32::ToWindowsPath(icon).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr)
      << "an icon file is no bitmap";
  EXPECT_TRUE(DestroyIcon(static_cast<HICON>(image)));
}

TEST_F(Win32Dialog, FileDialogRefusesWrongSizesAndShortBuffers) {
  Answer("file D:\\a\\long-name.txt\n");
  char file[8] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = 12;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  ofn.lStructSize = sizeof ofn;
  EXPECT_FALSE(GetSaveFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  EXPECT_THAT(Transcript(), HasSubstr("filedialog save"));
}

TEST(MulDivTest, RoundsHalfAwayFromZeroAndRefusesWhatCannotBe) {
  struct Case {
    int number, numerator, denominator, result;
  } cases[] = {{7, 6, 4, 11}, {-7, 6, 4, -11}, {5, 13, 8, 8}, {3, 1, -2, -2}, {1, 1, 0, -1}, {0x7FFFFFFF, 2, 1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.number << "*" << c.numerator << "/" << c.denominator);
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result) << c.number << "*" << c.numerator << "/" << c.denominator;
  }
}

}  // namespace
