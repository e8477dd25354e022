#pragma once
// The image source file dialog (template 12037): shows the file the edit
// opens (the layered PSD beside the picture when there is one) and lets the
// user choose another file of the same type. Works on the edited image it
// is given: OK replaces its base path and extension, Cancel, Escape and
// closing empty the base path, which ends the edit.
#include <afxwin.h>

#include "settings/plugin_settings.h"
#include "workflow/edit_workflow.h"
#include "workflow/image_source_path.h"

class CMoXICISFDialog : public CDialog {
  DECLARE_DYNAMIC(CMoXICISFDialog)

 public:
  enum { IDD = 12037 };
  enum ControlId {
    IDC_SOURCE_OK = 12053,
    IDC_SOURCE_CANCEL = 12054,
    IDC_SOURCE_HELP = 12055,
    IDC_SOURCE_GROUP = 12058,
    IDC_SOURCE_BROWSE = 12057,
    IDC_SOURCE_PATH = 12056,
  };

  explicit CMoXICISFDialog(EditedImage& image, CWnd* pParent = nullptr);
  ~CMoXICISFDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  // Escape: the same as the Cancel button.
  void OnCancel() override;

  afx_msg void OnClickedBrowse();
  afx_msg void OnClickedCancel();
  afx_msg void OnClickedHelp();
  afx_msg void OnClickedOk();
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()

 private:
  EditedImage& m_image;
};

// The edit of `editor` with the plug-in's dialogs for its questions: the
// GIMP location dialog and this dialog.
EditJob EditJobWithDialogs(ProgramKind editor);
