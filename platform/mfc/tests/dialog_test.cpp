// MFC dialogs from this program's resource script: message maps, data
// exchange, results, nested modal runs, painting, resources, file dialogs.
#include <afxcmn.h>
#include <afxdlgs.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <win32/modules.h>
#include <win32/resource_script.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "testing/scripted_user.h"

namespace {

using ::testing::HasSubstr;

enum : int {
  kTestDialog = 100,
  kInnerDialog = 101,
  kMissingDialog = 199,
  kButtonBitmap = 200,
  kAppIcon = 5,
  kPath = 10,
  kBrowse = 11,
  kTypes = 12,
  kEditors = 13,
  kSwatch = 14,
  kDone = 15,
  kReadOnly = 16,
};

RW_RESOURCE_SCRIPT{
    win32::DialogResource(
        kTestDialog, "Template title", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 120,
        {
            {IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 100, 50, 14, "OK"},
            {IDCANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, 70, 100, 50, 14, "Cancel"},
            {kPath, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 10, 120, 14, ""},
            {kBrowse, "Button", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, 135, 10, 15, 14, "..."},
            {kTypes, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 10, 30, 50, 60, ""},
            {kEditors, "ComboBoxEx32", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 70, 30, 80, 45, ""},
            {kSwatch, "Button", BS_GROUPBOX | BS_BITMAP, 10, 50, 12, 15, ""},
            {kDone, "Button", BS_PUSHBUTTON | WS_TABSTOP, 130, 100, 50, 14, "Done"},
            {kReadOnly, "Edit", ES_READONLY | WS_BORDER | WS_TABSTOP, 10, 70, 120, 14, ""},
            {IDC_STATIC, "Static", SS_BITMAP, 160, 10, 11, 10, "200"},
        }),
    win32::DialogResource(kInnerDialog, "Inner", DS_MODALFRAME | WS_POPUP | WS_CAPTION, 100, 50,
                          {{IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 30, 50, 14, "OK"}}),
    win32::BitmapResource(kButtonBitmap, "button.bmp"),
    win32::IconResource(kAppIcon, "app.ico"),
};

// A dialog whose handlers write what reached them into `events`.
class CTestDialog : public CDialog {
  DECLARE_DYNAMIC(CTestDialog)

 public:
  CTestDialog() : CDialog(static_cast<UINT>(kTestDialog)) {}
  ~CTestDialog() override { delete m_toolTip; }

  std::vector<std::string> events;
  std::function<void()> onBrowse;  // instead of recording only
  std::function<void()> onDone;
  CRect swatch;
  int relayed = 0;
  CEdit m_path;
  CComboBox m_types;
  CComboBoxEx m_editors;
  CButton m_browse;
  CStatic m_swatch;
  CImageList m_images;
  CToolTipCtrl* m_toolTip = nullptr;
  HWND boundPath = nullptr;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kPath, m_path);
    DDX_Control(pDX, kTypes, m_types);
    DDX_Control(pDX, kEditors, m_editors);
    DDX_Control(pDX, kBrowse, m_browse);
    DDX_Control(pDX, kSwatch, m_swatch);
  }

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    boundPath = m_path.m_hWnd;
    SetWindowText("Test dialog");
    SetIcon(AfxGetApp() ? AfxGetApp()->LoadIcon(kAppIcon) : ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(kAppIcon)), TRUE);
    delete m_toolTip;
    m_toolTip = new CToolTipCtrl;
    m_toolTip->Create(this);
    m_toolTip->AddTool(&m_browse, "Opens the File-Dialog");
    m_browse.SetBitmap(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(kButtonBitmap)));
    m_images.Create(16, 16, ILC_COLOR, 3, 0);
    m_images.Add(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(kAppIcon)));
    m_editors.SetImageList(&m_images);
    for (int i = 0; i < 2; ++i) {
      COMBOBOXEXITEM item{};
      item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
      item.iItem = i;
      item.pszText = const_cast<LPSTR>(i == 0 ? "Photo editor" : "Other editor");
      item.iImage = item.iSelectedImage = 0;
      m_editors.InsertItem(&item);
    }
    m_editors.SetCurSel(1);
    for (const char* type : {"TIF", "BMP", "PNG"}) m_types.AddString(type);
    m_types.SetCurSel(0);
    return TRUE;
  }

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (m_toolTip) m_toolTip->RelayEvent(pMsg), ++relayed;
    return CDialog::PreTranslateMessage(pMsg);
  }

  afx_msg void OnBrowse() {
    events.push_back("browse");
    if (onBrowse) onBrowse();
  }
  afx_msg void OnPathChanged() {
    CString text;
    m_path.GetWindowText(text);
    events.push_back("changed " + text.str());
  }
  afx_msg void OnPathLeft() { events.push_back("left"); }
  afx_msg void OnTypeChanged() {
    CString text;
    m_types.GetLBText(m_types.GetCurSel(), text);
    events.push_back("type " + text.str());
  }
  afx_msg void OnDone() {
    events.push_back("done");
    if (onDone) onDone();
    else EndDialog(0);
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    m_swatch.GetWindowRect(&swatch);
    ScreenToClient(&swatch);
    swatch.top += 6;
    CBrush brush(RGB(255, 0, 0));
    dc.FillRect(&swatch, &brush);
    brush.DeleteObject();
  }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    events.push_back(std::string(swatch.PtInRect(point) ? "swatch" : "dialog") + " click");
    CDialog::OnLButtonDown(nFlags, point);
  }

  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(CTestDialog, CDialog)

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
  ON_BN_CLICKED(kBrowse, OnBrowse)
  ON_EN_CHANGE(kPath, OnPathChanged)
  ON_EN_KILLFOCUS(kPath, OnPathLeft)
  ON_CBN_SELCHANGE(kTypes, OnTypeChanged)
  ON_BN_CLICKED(kDone, OnDone)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Closing is handled by the dialog itself.
class CClosingDialog : public CTestDialog {
 protected:
  afx_msg void OnClose() {
    events.push_back("close");
    CDialog::OnClose();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClosingDialog, CTestDialog)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

class MfcDialog : public ::testing::Test {
 protected:
  // Installs a scripted driver with the answers; Transcript() reads it.
  void Answer(const std::string& answers) { user_.answer(answers); }
  std::string Transcript() const { return user_.transcript(); }

  rwtest::ScriptedUser user_;
};

TEST_F(MfcDialog, EveryEventReachesItsHandler) {
  Answer(
      "dialog 100 set 10 D:\\work\\site\n"
      "dialog 100 leave 10\n"
      "dialog 100 select 12 PNG\n"
      "dialog 100 click 11\n"
      "dialog 100 mouse 18 103\n"
      "dialog 100 mouse 18 84\n"
      "dialog 100 click 1\n");
  CTestDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"changed D:\\work\\site", "left", "type PNG", "browse",
                                                     "swatch click", "dialog click"}));
}

TEST_F(MfcDialog, ControlsAreBoundWhileTheDialogRuns) {
  Answer("dialog 100 click 15\n");
  CTestDialog dialog;
  EXPECT_EQ(dialog.DoModal(), 0) << "the handler ended it with 0";
  ASSERT_NE(dialog.boundPath, nullptr);
  EXPECT_EQ(dialog.m_path.m_hWnd, nullptr) << "unbound when the dialog is gone";
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  const std::string transcript = Transcript();
  EXPECT_THAT(transcript, HasSubstr("dialog 100 opened caption=\"Test dialog\" focus=1 icon=\"icon 5\" 32x32"));
  EXPECT_THAT(transcript, HasSubstr("  ComboBox 12 text=\"BMP\" items=[\"BMP\",\"PNG\",\"TIF\"] selection=0"));
  EXPECT_THAT(transcript, HasSubstr("  ComboBoxEx32 13 text=\"Other editor\" items=[\"Photo editor\"#0,\"Other editor\"#0] "
                            "selection=1 images=1"));
  EXPECT_THAT(transcript, HasSubstr("  Button 11 \"...\" image=\"bitmap 200\" 16x16 tooltip=\"Opens the File-Dialog\""));
  EXPECT_THAT(transcript, HasSubstr("  Static - \"\" image=\"bitmap 200\" 16x16"));
  EXPECT_THAT(transcript, HasSubstr("dialog 100 closed caption=\"Test dialog\" result=0 focus=15"));
}

TEST_F(MfcDialog, ResultsOfOkCancelEscapeCloseAndNoAnswer) {
  struct Case {
    const char* answers;
    INT_PTR result;
  } cases[] = {{"dialog 100 click 1\n", IDOK},
               {"dialog 100 click 2\n", IDCANCEL},
               {"dialog 100 key 10 Escape\n", IDCANCEL},
               {"dialog 100 key 10 Enter\n", IDOK},
               {"dialog 100 close\n", IDCANCEL},
               {"", IDCANCEL}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    Answer(c.answers);
    CTestDialog dialog;
    EXPECT_EQ(dialog.DoModal(), c.result) << c.answers;
  }
  Answer("");
  CClosingDialog closing;
  EXPECT_EQ(closing.DoModal(), IDCANCEL);
  EXPECT_EQ(closing.events, (std::vector<std::string>{"close"}));
  EXPECT_THAT(Transcript(), HasSubstr("dialog 100: no input left, the window is closed"));
}

TEST_F(MfcDialog, HandlersRunMessageBoxesAndDialogsModallyWhileHidden) {
  Answer(
      "dialog 100 click 11\n"
      "msgbox yes\n"
      "dialog 101 click 1\n"
      "dialog 100 click 1\n");
  CTestDialog dialog;
  dialog.onBrowse = [&] {
    EXPECT_EQ(dialog.MessageBox("Go on?", "Caption", MB_YESNO | MB_ICONQUESTION), IDYES);
    dialog.ShowWindow(SW_HIDE);
    CDialog inner(static_cast<UINT>(kInnerDialog));
    EXPECT_EQ(inner.DoModal(), IDOK);
    dialog.ShowWindow(SW_SHOWNORMAL);
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  const std::string transcript = Transcript();
  EXPECT_THAT(transcript, HasSubstr("msgbox caption=\"Caption\" buttons=yesno icon=question owner=\"Test dialog\" -> yes"));
  EXPECT_LT(transcript.find("dialog 101 closed caption=\"Inner\" result=1"), transcript.find("input 100 -> click 1\n"));
}

TEST_F(MfcDialog, AnOwnerIsDisabledWhileItsDialogRuns) {
  CMDIFrameWnd frame;
  ASSERT_TRUE(frame.Create(nullptr, "Editor"));
  EXPECT_EQ(CWnd::FromHandlePermanent(frame.m_hWnd), &frame);
  Answer("dialog 100 click 11\nmsgbox ok\ndialog 100 click 15\n");
  CTestDialog dialog;
  dialog.m_pParentWnd = &frame;
  BOOL enabledMeanwhile = TRUE;
  dialog.onBrowse = [&] {
    enabledMeanwhile = frame.IsWindowEnabled();
    frame.MessageBox("From the editor");
  };
  dialog.DoModal();
  EXPECT_FALSE(enabledMeanwhile);
  EXPECT_TRUE(frame.IsWindowEnabled());
  EXPECT_THAT(Transcript(), HasSubstr("owner=\"Editor\" -> ok"));
  EXPECT_TRUE(frame.DestroyWindow());
  EXPECT_EQ(frame.m_hWnd, nullptr);
}

TEST_F(MfcDialog, PaintsTheSwatchAndSeesInputFirst) {
  Answer("dialog 100 click 11\ndialog 100 click 1\n");
  CTestDialog dialog;
  dialog.onBrowse = [&] { dialog.Invalidate(); };
  dialog.DoModal();
  const CRect expected(15, 81 + 6, 33, 105);
  EXPECT_EQ(dialog.swatch, expected);
  EXPECT_THAT(Transcript(), HasSubstr("  paint fill 15,87,33,105 #FF0000"));
  EXPECT_EQ(dialog.relayed, 2) << "each click passed PreTranslateMessage";
}

TEST_F(MfcDialog, AnExceptionOfAHandlerEndsTheRunAndReachesTheCaller) {
  Answer("dialog 100 click 11\ndialog 100 click 1\n");
  CTestDialog dialog;
  dialog.onBrowse = [] { throw std::runtime_error("automation failed"); };
  EXPECT_THROW(dialog.DoModal(), std::runtime_error);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.m_path.m_hWnd, nullptr);
  EXPECT_THAT(Transcript(), HasSubstr("dialog 100 ended by an error of its program"));
  Answer("dialog 100 click 1\n");
  EXPECT_EQ(dialog.DoModal(), IDOK) << "the object runs again";
}

TEST_F(MfcDialog, AMissingTemplateIsReportedAndNothingRuns) {
  Answer("");
  CDialog dialog(static_cast<UINT>(kMissingDialog));
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_THAT(Transcript(), HasSubstr("error: dialog template 199 is not among the resources of the current module"));
}

TEST_F(MfcDialog, ResourcesAreFoundThroughTheirModuleOnly) {
  HINSTANCE program = AfxGetResourceHandle();
  EXPECT_NE(FindResourceA(program, MAKEINTRESOURCE(kTestDialog), RT_DIALOG), nullptr);
  EXPECT_EQ(FindResourceA(program, MAKEINTRESOURCE(kTestDialog), RT_BITMAP), nullptr);
  HMODULE platform = win32::ModuleOfAddress(reinterpret_cast<const void*>(&AfxGetResourceHandle));
  ASSERT_NE(platform, nullptr);
  EXPECT_EQ(FindResourceA(platform, MAKEINTRESOURCE(kTestDialog), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));

  CBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadBitmap(kButtonBitmap));
  BITMAP size{};
  bitmap.GetBitmap(&size);
  EXPECT_EQ(size.bmWidth, 16);
  EXPECT_EQ(size.bmBitsPixel, 24);
  auto* source = static_cast<const DLGTEMPLATE*>(
      LockResource(LoadResource(program, FindResourceA(program, MAKEINTRESOURCE(kTestDialog), RT_DIALOG))));
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->caption, "Template title");
  EXPECT_EQ(LoadIconA(program, MAKEINTRESOURCE(999)), nullptr);
}

TEST_F(MfcDialog, FileDialogAnsweredAndCancelled) {
  Answer("file \"D:\\My work\\site.png\"\nfile cancel\n");
  CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "All files (*.*)|*.*||", nullptr,
                   OPENFILENAME_SIZE_VERSION_400);
  ASSERT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(open.GetPathName(), "D:\\My work\\site.png");
  EXPECT_EQ(open.GetFileName(), "site.png");
  EXPECT_EQ(open.GetFileExt(), "png");
  EXPECT_EQ(open.GetFileTitle(), "site");
  CFileDialog again(TRUE, "exe");
  EXPECT_EQ(again.DoModal(), IDCANCEL);
  EXPECT_THAT(Transcript(), HasSubstr("filedialog open title=\"\" filter=\"All files (*.*)|*.*|\" ext=\"\" name=\"\" "
                              "flags=0x6 owner=\"\" -> \"D:\\My work\\site.png\""));
}

TEST_F(MfcDialog, FileDialogAddsTheDefaultExtension) {
  Answer("file D:\\work\\gimp\n");
  CFileDialog open(TRUE, "exe", "start", OFN_HIDEREADONLY, "Exe files (*.exe)|*.exe|");
  ASSERT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(open.GetPathName(), "D:\\work\\gimp.exe");
  EXPECT_THAT(Transcript(), HasSubstr("ext=\"exe\" name=\"start\""));
}

}  // namespace
