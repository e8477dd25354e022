#include "dialogs/gimp_location_dialog.h"

#include <afxdlgs.h>
#include <win32/resource_script.h>

#include "dialogs/dialog_support.h"
#include "settings/plugin_app.h"
#include "settings/plugin_settings.h"

// Template 12029 and the picture under the path field.
RW_RESOURCE_SCRIPT{
    win32::DialogResource(
        MoXIBFGDialog::IDD, "Rasterwerk", kSmallDialogStyle, 186, 116,
        {
            {MoXIBFGDialog::IDC_GIMP_OK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 95, 50, 14, "OK"},
            {MoXIBFGDialog::IDC_GIMP_CANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, 67, 95, 50, 14, "Cancel"},
            {MoXIBFGDialog::IDC_GIMP_HELP, "Button", BS_PUSHBUTTON | WS_TABSTOP, 129, 95, 50, 14, "Help"},
            {MoXIBFGDialog::IDC_GIMP_GROUP, "Button", BS_GROUPBOX, 7, 7, 172, 79, "GIMP Location"},
            {MoXIBFGDialog::IDC_GIMP_BROWSE, "Button", BS_PUSHBUTTON | WS_TABSTOP, 154, 27, 17, 15, "..."},
            {MoXIBFGDialog::IDC_GIMP_PATH, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 14, 27, 136, 14, ""},
            {IDC_STATIC, "Static", SS_BITMAP, 60, 45, 51, 35, "12036"},
        }),
    win32::BitmapResource(MoXIBFGDialog::kPictureBitmapId, "gimp_location.bmp"),
};

IMPLEMENT_DYNAMIC(MoXIBFGDialog, CDialog)

BEGIN_MESSAGE_MAP(MoXIBFGDialog, CDialog)
  ON_BN_CLICKED(IDC_GIMP_CANCEL, OnClickedCancel)
  ON_BN_CLICKED(IDC_GIMP_BROWSE, OnClickedBrowse)
  ON_BN_CLICKED(IDC_GIMP_OK, OnClickedOk)
  ON_BN_CLICKED(IDC_GIMP_HELP, OnClickedHelp)
END_MESSAGE_MAP()

MoXIBFGDialog::MoXIBFGDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

MoXIBFGDialog::~MoXIBFGDialog() = default;

void MoXIBFGDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GIMP_BROWSE, m_browseButton);
}

BOOL MoXIBFGDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_pToolTip) m_pToolTip->RelayEvent(pMsg);
  return CDialog::PreTranslateMessage(pMsg);
}

BOOL MoXIBFGDialog::OnInitDialog() {
  CDialog::OnInitDialog();  // binds the browse button
  SetDialogIcon(*this);
  SetCatalogueTexts(*this, msg::kMainDlgTitle,
                    {{IDC_GIMP_GROUP, msg::kGimpLocation},
                     {IDC_GIMP_OK, msg::kButtonOk},
                     {IDC_GIMP_CANCEL, msg::kButtonCancel},
                     {IDC_GIMP_HELP, msg::kButtonHelp}});
  return TRUE;
}

void MoXIBFGDialog::OnClickedCancel() { EndDialog(IDCANCEL); }

void MoXIBFGDialog::OnClickedBrowse() {
  CFileDialog fileDialog(TRUE, "", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Exe files (*.exe)|*.exe|", nullptr,
                         kOldFileDialogSize);
  if (fileDialog.DoModal() == IDOK) SetDlgItemText(IDC_GIMP_PATH, fileDialog.GetPathName());
}

void MoXIBFGDialog::OnClickedOk() {
  CString path;
  GetDlgItemText(IDC_GIMP_PATH, path);
  theSettings.gimpExecutable = static_cast<LPCSTR>(path);
  EndDialog(IDOK);
}

void MoXIBFGDialog::OnClickedHelp() { ShowDialogHelp("Gimp"); }

bool LocateGimp() {
  MoXIBFGDialog dialog;
  dialog.DoModal();
  return !theSettings.gimpExecutable.empty();
}
