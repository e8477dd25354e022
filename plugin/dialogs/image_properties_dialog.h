#pragma once
// The image properties dialog (template 14031): transparency, image frame,
// background and the PostScript rasterising resolution with its unit, which
// take input only for EPS plot files. Opened by the main dialog's image
// properties button with its plot file type; edits the settings in memory
// and switches the drawing's image frame at once on OK.
#include <afxcmn.h>
#include <afxwin.h>

#include <string>

class CMoXIIPDialog : public CDialog {
  DECLARE_DYNAMIC(CMoXIIPDialog)

 public:
  enum { IDD = 14031 };
  enum ControlId {
    IDC_IP_OK = 12041,
    IDC_IP_CANCEL = 12042,
    IDC_IP_HELP = 12043,
    IDC_IP_PROPERTIES_GROUP = 12046,
    IDC_IP_TRANSPARENCY_LABEL = 12048,
    IDC_IP_FRAME_LABEL = 12049,
    IDC_IP_TRANSPARENCY_ON = 14037,
    IDC_IP_TRANSPARENCY_OFF = 12038,
    IDC_IP_FRAME_ON = 12039,
    IDC_IP_FRAME_OFF = 12040,
    IDC_IP_BACKGROUND = 16020,
    IDC_IP_BACKGROUND_LABEL = 14050,
    IDC_IP_RESOLUTION_GROUP = 12051,
    IDC_IP_RESOLUTION = 12052,
    IDC_IP_UNIT = 12001,
  };

  explicit CMoXIIPDialog(const std::string& plotFileType, CWnd* pParent = nullptr);
  ~CMoXIIPDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;

  afx_msg void OnClickedOk();
  afx_msg void OnClickedCancel();
  afx_msg void OnClickedHelp();
  afx_msg void OnUnitChanged();
  DECLARE_MESSAGE_MAP()

 private:
  // Field 12052 as a number: its leading decimal number, 0 when it has none.
  double ResolutionInField();
  void ShowResolution(double value);
  bool PlotFileTypeIsEps() const;

  CButton m_frameOn;
  CButton m_frameOff;
  CButton m_transparencyOn;
  CButton m_transparencyOff;
  CComboBox m_unitList;
  CButton m_background;
  CStatic m_resolutionGroup;
  CEdit m_resolution;
  std::string m_plotFileType;
  int m_shownUnit = 0;                 // 0-based unit whose value field 12052 shows
  CToolTipCtrl* m_pToolTip = nullptr;  // this dialog has none; relayed to when set
};
