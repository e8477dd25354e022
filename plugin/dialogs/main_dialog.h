#pragma once
// The main dialog of "TAVO_IMGCREATE" (template 12000): the page setup's plot
// device and paper, the plot file and the world file that follows from it,
// the picture type, the image layer and the image editor, with the page
// setup, plot preview, file, layer and image properties tools. OK runs the
// create workflow and closes the dialog only when it succeeds.
#include <afxcmn.h>
#include <afxwin.h>

#include <memory>
#include <string>

#include "workflow/create_workflow.h"

class CMoXIDialog : public CDialog {
  DECLARE_DYNAMIC(CMoXIDialog)

 public:
  enum { IDD = 12000 };
  enum ControlId {
    IDC_OK_BUTTON = 12032,
    IDC_CANCEL_BUTTON = 14033,
    IDC_PLOTTER_GROUP = 12022,
    IDC_PLOT_FILE_LABEL = 12025,
    IDC_PLOT_FILE = 12002,
    IDC_WORLD_FILE_LABEL = 12026,
    IDC_WORLD_FILE = 12005,
    IDC_IMAGE_GROUP = 12027,
    IDC_FILE_TYPE_LABEL = 12028,
    IDC_FILE_TYPE = 12006,
    IDC_GRAPHIC_GROUP = 12030,
    IDC_EDITOR_LABEL = 12031,
    IDC_EDITOR = 18019,
    IDC_DEVICE_LABEL = 12023,
    IDC_LAYER_LABEL = 14029,
    IDC_PAGE_SETUP = 12004,
    IDC_DEVICE = 14008,
    IDC_PAPER_LABEL = 15024,
    IDC_PAPER = 12009,
    IDC_BROWSE = 12015,
    IDC_PREVIEW = 12010,
    IDC_LAYER_DIALOG = 12011,
    IDC_EDIT_BUTTON = 12014,
    IDC_HELP_BUTTON = 12016,
    IDC_LAYER = 12058,
    IDC_IMAGE_PROPERTIES = 12013,
    IDC_LAYER_SWATCH = 12045,
    IDC_IMAGE_PROPERTIES_LABEL = 12050,
  };
  // Pictures: the bitmap buttons', the two pictures beside the lists, the
  // editor list's icons and the dialogs' large icon.
  enum PictureId {
    IDB_PAGE_SETUP = 12019,
    IDB_PREVIEW = 12021,
    IDB_LAYER_DIALOG = 12024,
    IDB_IMAGE_PROPERTIES = 12033,
    IDB_FILE_TYPE = 14023,
    IDB_EDITOR = 14025,
    IDI_DIALOG = 5,
    IDI_PHOTOSHOP = 12012,
    IDI_GIMP = 15011,
  };

  explicit CMoXIDialog(CWnd* pParent = nullptr);
  ~CMoXIDialog() override;

  // Lower-case extension of the plot files without the dot ("png", "jpg",
  // "tif", "eps"); empty until first derived.
  std::string m_plotFileType;
  // "pgw", "jgw", "tfw", "esw" (or "w" without a plot file type).
  std::string m_worldFileExtension;
  // The plot base path: the plot file field without its extension.
  std::string m_plotPath;

  // Derives the plot base path, the plot file type and the world file
  // extension from the plot file field and the device, and shows the plot
  // file and world file names.
  void RefreshPlotFields();

  // The entries the create workflow reads.
  std::string ImageLayerName() const;
  std::string DeviceName() const;
  std::string PlotFileText() const;
  int EditorSelection() const;        // 0 Photoshop, 1 GIMP, -1 none
  ProgramKind ChosenEditor() const;   // the selection's; the settings' own when none
  int PictureTypeSelection() const;   // index of the file type list, -1 none
  std::string PictureType() const;    // the selected file type as shown ("TIF")
  // All of them, with the GIMP location dialog, as the create workflow takes them.
  CreateJob Entries() const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;

  afx_msg void OnPlotFileChanged();
  afx_msg void OnWorldFileChanged();
  afx_msg void OnPlotFileLeft();
  afx_msg void OnBrowsePlotFile();
  afx_msg void OnPageSetup();
  afx_msg void OnPlotPreview();
  afx_msg void OnImageProperties();
  afx_msg void OnLayerDialog();
  afx_msg void OnEditImage();
  afx_msg void OnConfirm();
  afx_msg void OnCancelButton();
  afx_msg void OnHelpButton();
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()

 private:
  void SetTexts();
  void CreateToolTips();
  void CreateEditorImages();
  void SetButtonBitmaps();
  void FillFileTypeList();
  void FillEditorList();
  void ShowImageLayer();
  void ShowPlotDevice();
  void EnableForDevice(const std::string& deviceName);
  // Runs a host tool with the dialog hidden and the editor's frame usable.
  template <class Tool>
  void RunWithDialogHidden(Tool tool);

  CImageList m_editorImages;
  CComboBox m_fileTypeList;
  CEdit m_worldFileField;
  CComboBoxEx m_editorList;
  CEdit m_deviceField;
  CEdit m_paperField;
  CEdit m_plotFileField;
  CButton m_okButton;
  CButton m_pageSetupButton;
  CButton m_browseButton;
  CButton m_previewButton;
  CEdit m_layerField;
  CButton m_imagePropertiesButton;
  CStatic m_layerSwatch;
  CButton m_editButton;
  CButton m_cancelButton;
  CButton m_helpButton;
  CButton m_layerDialogButton;
  std::unique_ptr<CToolTipCtrl> m_pToolTip;
  CBitmap m_buttonBitmaps[4];  // held while the buttons show them
};
