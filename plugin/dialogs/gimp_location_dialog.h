#pragma once
// The GIMP location dialog (template 12029): asks for the GIMP executable
// when GIMP is chosen and the settings hold none. OK writes the field, as it
// stands, to the settings; the field always starts empty.
#include <afxcmn.h>
#include <afxwin.h>

class MoXIBFGDialog : public CDialog {
  DECLARE_DYNAMIC(MoXIBFGDialog)

 public:
  enum { IDD = 12029 };
  enum ControlId {
    IDC_GIMP_OK = 14036,
    IDC_GIMP_CANCEL = 12035,
    IDC_GIMP_HELP = 12034,
    IDC_GIMP_GROUP = 12047,
    IDC_GIMP_BROWSE = 14014,
    IDC_GIMP_PATH = 12003,
  };
  // The picture under the path field.
  static constexpr UINT kPictureBitmapId = 12036;

  explicit MoXIBFGDialog(CWnd* pParent = nullptr);
  ~MoXIBFGDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;

  afx_msg void OnClickedCancel();
  afx_msg void OnClickedBrowse();
  afx_msg void OnClickedOk();
  afx_msg void OnClickedHelp();
  DECLARE_MESSAGE_MAP()

 private:
  CToolTipCtrl* m_pToolTip = nullptr;  // this dialog has none; relayed to when set
  CButton m_browseButton;
};

// Runs the GIMP location dialog; true when the settings know GIMP afterwards.
bool LocateGimp();
