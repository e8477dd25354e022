#include "dialogs/image_source_dialog.h"

#include <afxdlgs.h>
#include <win32/resource_script.h>

#include <cctype>
#include <string>

#include "dialogs/dialog_support.h"
#include "dialogs/gimp_location_dialog.h"
#include "frame/file_exists.h"
#include "settings/plugin_app.h"
#include "settings/plugin_settings.h"
#include "frame/text.h"
#include "workflow/image_source_path.h"

// Template 12037.
RW_RESOURCE_SCRIPT{
    win32::DialogResource(
        CMoXICISFDialog::IDD, "Image Edit", kSmallDialogStyle, 186, 102,
        {
            {CMoXICISFDialog::IDC_SOURCE_OK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 81, 50, 14, "OK"},
            {CMoXICISFDialog::IDC_SOURCE_CANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, 67, 81, 50, 14, "Cancel"},
            {CMoXICISFDialog::IDC_SOURCE_HELP, "Button", BS_PUSHBUTTON | WS_TABSTOP, 129, 81, 50, 14, "Help"},
            {CMoXICISFDialog::IDC_SOURCE_GROUP, "Button", BS_GROUPBOX, 7, 7, 172, 57, "Image source file:"},
            {CMoXICISFDialog::IDC_SOURCE_BROWSE, "Button", BS_PUSHBUTTON | WS_TABSTOP, 154, 27, 17, 15, "..."},
            {CMoXICISFDialog::IDC_SOURCE_PATH, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 14, 27, 136, 14, ""},
        }),
};

IMPLEMENT_DYNAMIC(CMoXICISFDialog, CDialog)

BEGIN_MESSAGE_MAP(CMoXICISFDialog, CDialog)
  ON_BN_CLICKED(IDC_SOURCE_BROWSE, OnClickedBrowse)
  ON_BN_CLICKED(IDC_SOURCE_CANCEL, OnClickedCancel)
  ON_BN_CLICKED(IDC_SOURCE_HELP, OnClickedHelp)
  ON_BN_CLICKED(IDC_SOURCE_OK, OnClickedOk)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

CMoXICISFDialog::CMoXICISFDialog(EditedImage& image, CWnd* pParent) : CDialog(IDD, pParent), m_image(image) {}

CMoXICISFDialog::~CMoXICISFDialog() = default;

void CMoXICISFDialog::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CMoXICISFDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogIcon(*this);
  SetCatalogueTexts(*this, msg::kImageEditDlgTitle,
                    {{IDC_SOURCE_GROUP, msg::kImageSourceFile},
                     {IDC_SOURCE_OK, msg::kButtonOk},
                     {IDC_SOURCE_CANCEL, msg::kButtonCancel},
                     {IDC_SOURCE_HELP, msg::kButtonHelp}});
  // The layered document beside the picture is what the editor opens.
  if (FileExists(m_image.basePath + ".psd")) m_image.extension = "psd";
  m_image.extension = UpperCase(m_image.extension);
  SetDlgItemText(IDC_SOURCE_PATH, (m_image.basePath + "." + m_image.extension).c_str());
  return TRUE;
}

void CMoXICISFDialog::OnCancel() {
  m_image.basePath.clear();
  CDialog::OnCancel();
}

void CMoXICISFDialog::OnClickedBrowse() {
  const std::string& type = m_image.extension;
  const std::string filter = type + " Files (*." + type + ")|*." + type + "|";
  CFileDialog fileDialog(TRUE, "", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.c_str(), this,
                         kOldFileDialogSize);
  if (fileDialog.DoModal() == IDOK) SetDlgItemText(IDC_SOURCE_PATH, fileDialog.GetPathName());
}

void CMoXICISFDialog::OnClickedCancel() { OnCancel(); }

void CMoXICISFDialog::OnClickedHelp() { ShowDialogHelp("Edit"); }

void CMoXICISFDialog::OnClickedOk() {
  CString text;
  GetDlgItemText(IDC_SOURCE_PATH, text);
  std::string basePath, extension;
  // A name without an extension never has the expected one.
  if (!splitImageSourcePath(std::string(text), basePath, extension) ||
      !EqualsNoCase(extension, m_image.extension)) {
    ShowOwnedMessage(*this, msg::kIncorrectFileExtension);
    return;
  }
  m_image.basePath = basePath;
  m_image.extension = LowerCase(extension);
  EndDialog(IDOK);
}

void CMoXICISFDialog::OnClose() {
  m_image.basePath.clear();
  CDialog::OnClose();
}

EditJob EditJobWithDialogs(ProgramKind editor) {
  return {editor, LocateGimp, [](EditedImage& image) {
            CMoXICISFDialog dialog(image);
            dialog.DoModal();
          }};
}
