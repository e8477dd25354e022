#include "dialogs/main_dialog.h"

#include <acaplmgr.h>
#include <aced.h>
#include <afxdlgs.h>
#include <dbmain.h>
#include <win32/resource_script.h>

#include <iterator>

#include "dialogs/dialog_support.h"
#include "dialogs/gimp_location_dialog.h"
#include "dialogs/image_properties_dialog.h"
#include "dialogs/image_source_dialog.h"
#include "frame/message_catalogue.h"
#include "frame/text.h"
#include "plot/plot_object.h"
#include "raster/layers.h"
#include "settings/plugin_app.h"
#include "settings/plugin_settings.h"
#include "workflow/create_workflow.h"
#include "workflow/edit_workflow.h"

namespace {

using D = CMoXIDialog;

constexpr DWORD kDialogStyle = DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kBitmapButton = BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kField = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kReadOnlyField = kField | ES_READONLY;

}  // namespace

// Template 12000, its pictures and the dialogs' large icon.
RW_RESOURCE_SCRIPT{
    win32::DialogResource(
        D::IDD, "Rasterwerk", kDialogStyle, 268, 234,
        {
            {D::IDC_OK_BUTTON, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 74, 212, 50, 14, "OK"},
            {D::IDC_CANCEL_BUTTON, "Button", kPushButton, 138, 212, 50, 14, "Cancel"},
            {D::IDC_PLOTTER_GROUP, "Button", BS_GROUPBOX, 7, 7, 253, 92, "Plotter configuration:"},
            {D::IDC_PLOT_FILE_LABEL, "Static", kLabel, 12, 60, 39, 8, "Plot file:"},
            {D::IDC_PLOT_FILE, "Edit", kField, 70, 57, 174, 14, ""},
            {D::IDC_WORLD_FILE_LABEL, "Static", kLabel, 12, 79, 39, 8, "World file:"},
            {D::IDC_WORLD_FILE, "Edit", kField | WS_DISABLED, 70, 74, 174, 14, ""},
            {D::IDC_IMAGE_GROUP, "Button", BS_GROUPBOX, 7, 102, 253, 62, "Image configuration:"},
            {D::IDC_FILE_TYPE_LABEL, "Static", kLabel, 12, 119, 39, 8, "File type:"},
            {D::IDC_FILE_TYPE, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 70, 119, 49, 61, ""},
            {D::IDC_GRAPHIC_GROUP, "Button", BS_GROUPBOX, 7, 168, 253, 36, "Graphic program configuration:"},
            {D::IDC_EDITOR_LABEL, "Static", kLabel, 12, 181, 41, 8, "Editor:"},
            {D::IDC_EDITOR, "ComboBoxEx32", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 70, 180, 168, 45, ""},
            {D::IDC_DEVICE_LABEL, "Static", kLabel, 12, 22, 39, 8, "Name:"},
            {D::IDC_LAYER_LABEL, "Static", kLabel, 12, 143, 39, 8, "Layer:"},
            {D::IDC_PAGE_SETUP, "Button", kBitmapButton, 52, 21, 15, 15, "Properties..."},
            {D::IDC_DEVICE, "Edit", kReadOnlyField, 70, 21, 173, 14, ""},
            {D::IDC_PAPER_LABEL, "Static", kLabel, 12, 41, 39, 8, "Paper size:"},
            {D::IDC_PAPER, "Edit", kReadOnlyField, 70, 39, 173, 14, ""},
            {D::IDC_BROWSE, "Button", kPushButton, 52, 58, 15, 14, "..."},
            {D::IDC_PREVIEW, "Button", kBitmapButton, 52, 38, 15, 14, "Properties..."},
            {D::IDC_LAYER_DIALOG, "Button", kBitmapButton, 225, 139, 17, 15, "Properties..."},
            {IDC_STATIC, "Static", SS_BITMAP, 54, 120, 11, 10, "14023"},
            {IDC_STATIC, "Static", SS_BITMAP, 55, 181, 11, 10, "14025"},
            {D::IDC_EDIT_BUTTON, "Button", kPushButton, 12, 212, 50, 14, "Edit"},
            {D::IDC_HELP_BUTTON, "Button", kPushButton, 203, 212, 50, 14, "Help"},
            {D::IDC_LAYER, "Edit", kReadOnlyField, 70, 139, 154, 14, ""},
            {D::IDC_IMAGE_PROPERTIES, "Button", kBitmapButton, 225, 120, 17, 15, "Properties..."},
            {D::IDC_LAYER_SWATCH, "Button", BS_GROUPBOX | BS_BITMAP, 54, 137, 12, 15, ""},
            {D::IDC_IMAGE_PROPERTIES_LABEL, "Static", kLabel, 160, 122, 63, 12, "Image properties:"},
        }),
    win32::BitmapResource(D::IDB_PAGE_SETUP, "main_page_setup.bmp"),
    win32::BitmapResource(D::IDB_PREVIEW, "main_preview.bmp"),
    win32::BitmapResource(D::IDB_LAYER_DIALOG, "main_layer_dialog.bmp"),
    win32::BitmapResource(D::IDB_IMAGE_PROPERTIES, "main_image_properties.bmp"),
    win32::BitmapResource(D::IDB_FILE_TYPE, "main_file_type.bmp"),
    win32::BitmapResource(D::IDB_EDITOR, "main_editor.bmp"),
    win32::IconResource(D::IDI_DIALOG, "rasterwerk.ico"),
    win32::IconResource(D::IDI_PHOTOSHOP, "photo_editor.ico"),
    win32::IconResource(D::IDI_GIMP, "gimp.ico"),
};

namespace {

// The image layer's colour, painted into the swatch.
COLORREF theLayerColour = RGB(255, 255, 255);
// The swatch as of the latest paint, in the dialog's client pixels.
CRect theSwatchRect;

constexpr int kSwatchTopInset = 6;  // pixels of the swatch control above the painted colour
constexpr const char* kNoDevice = "None";

std::string WindowText(const CWnd& wnd) {
  CString text;
  wnd.GetWindowText(text);
  return text.str();
}

// The text before the last "." (all of it without one).
std::string WithoutExtension(const std::string& path) {
  const std::string::size_type dot = path.rfind('.');
  return dot == std::string::npos ? path : path.substr(0, dot);
}


}  // namespace

IMPLEMENT_DYNAMIC(CMoXIDialog, CDialog)

BEGIN_MESSAGE_MAP(CMoXIDialog, CDialog)
  ON_EN_CHANGE(IDC_PLOT_FILE, OnPlotFileChanged)
  ON_EN_CHANGE(IDC_WORLD_FILE, OnWorldFileChanged)
  ON_EN_KILLFOCUS(IDC_PLOT_FILE, OnPlotFileLeft)
  ON_BN_CLICKED(IDC_BROWSE, OnBrowsePlotFile)
  ON_BN_CLICKED(IDC_PAGE_SETUP, OnPageSetup)
  ON_BN_CLICKED(IDC_PREVIEW, OnPlotPreview)
  ON_BN_CLICKED(IDC_IMAGE_PROPERTIES, OnImageProperties)
  ON_BN_CLICKED(IDC_LAYER_DIALOG, OnLayerDialog)
  ON_BN_CLICKED(IDC_EDIT_BUTTON, OnEditImage)
  ON_BN_CLICKED(IDC_OK_BUTTON, OnConfirm)
  ON_BN_CLICKED(IDC_CANCEL_BUTTON, OnCancelButton)
  ON_BN_CLICKED(IDC_HELP_BUTTON, OnHelpButton)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

CMoXIDialog::CMoXIDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

CMoXIDialog::~CMoXIDialog() = default;

void CMoXIDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FILE_TYPE, m_fileTypeList);
  DDX_Control(pDX, IDC_WORLD_FILE, m_worldFileField);
  DDX_Control(pDX, IDC_EDITOR, m_editorList);
  DDX_Control(pDX, IDC_DEVICE, m_deviceField);
  DDX_Control(pDX, IDC_PAPER, m_paperField);
  DDX_Control(pDX, IDC_PLOT_FILE, m_plotFileField);
  DDX_Control(pDX, IDC_OK_BUTTON, m_okButton);
  DDX_Control(pDX, IDC_PAGE_SETUP, m_pageSetupButton);
  DDX_Control(pDX, IDC_BROWSE, m_browseButton);
  DDX_Control(pDX, IDC_PREVIEW, m_previewButton);
  DDX_Control(pDX, IDC_LAYER, m_layerField);
  DDX_Control(pDX, IDC_IMAGE_PROPERTIES, m_imagePropertiesButton);
  DDX_Control(pDX, IDC_LAYER_SWATCH, m_layerSwatch);
  DDX_Control(pDX, IDC_EDIT_BUTTON, m_editButton);
  DDX_Control(pDX, IDC_CANCEL_BUTTON, m_cancelButton);
  DDX_Control(pDX, IDC_HELP_BUTTON, m_helpButton);
  DDX_Control(pDX, IDC_LAYER_DIALOG, m_layerDialogButton);
}

BOOL CMoXIDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_pToolTip) m_pToolTip->RelayEvent(pMsg);
  return CDialog::PreTranslateMessage(pMsg);
}

BOOL CMoXIDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogIcon(*this);
  SetTexts();
  CreateToolTips();
  CreateEditorImages();
  SetButtonBitmaps();
  m_editorList.SetImageList(&m_editorImages);
  FillFileTypeList();
  FillEditorList();
  ShowImageLayer();
  acquirePlotObject();  // without it the preview and the plots take their own
  refreshPlotDeviceLists();
  ShowPlotDevice();
  RefreshPlotFields();
  return TRUE;
}

void CMoXIDialog::SetTexts() {
  SetCatalogueTexts(*this, msg::kMainDlgTitle,
                    {{IDC_PLOTTER_GROUP, msg::kGroupPlotter},
                     {IDC_DEVICE_LABEL, msg::kPlotterName},
                     {IDC_PAPER_LABEL, msg::kPaperSize},
                     {IDC_PLOT_FILE_LABEL, msg::kPlotFile},
                     {IDC_WORLD_FILE_LABEL, msg::kWorldFile},
                     {IDC_IMAGE_GROUP, msg::kGroupImage},
                     {IDC_FILE_TYPE_LABEL, msg::kFileType},
                     {IDC_LAYER_LABEL, msg::kLayer},
                     {IDC_IMAGE_PROPERTIES_LABEL, msg::kImageProperties},
                     {IDC_GRAPHIC_GROUP, msg::kGroupGraphic},
                     {IDC_EDITOR_LABEL, msg::kEditor},
                     {IDC_EDIT_BUTTON, msg::kButtonEdit},
                     {IDC_OK_BUTTON, msg::kButtonOk},
                     {IDC_CANCEL_BUTTON, msg::kButtonCancel},
                     {IDC_HELP_BUTTON, msg::kButtonHelp}});
}

void CMoXIDialog::CreateToolTips() {
  m_pToolTip = std::make_unique<CToolTipCtrl>();
  m_pToolTip->Create(this);
  const struct {
    CWnd& control;
    MessageText text;
  } tools[] = {{m_pageSetupButton, msg::kTipPlotProperties},
               {m_previewButton, msg::kTipPlotPreview},
               {m_browseButton, msg::kTipPlotFile},
               {m_imagePropertiesButton, msg::kTipImageProperties},
               {m_layerDialogButton, msg::kTipLayerDialog},
               {m_editButton, msg::kTipEdit},
               {m_okButton, msg::kTipOk},
               {m_cancelButton, msg::kTipCancel},
               {m_helpButton, msg::kTipHelp}};
  for (const auto& tool : tools) m_pToolTip->AddTool(&tool.control, theCatalogue.GetCatalogueText(tool.text).c_str());
}

void CMoXIDialog::CreateEditorImages() {
  m_editorImages.Create(16, 16, ILC_COLOR, 3, 0);
  m_editorImages.Add(theApp.LoadIcon(IDI_PHOTOSHOP));
  m_editorImages.Add(theApp.LoadIcon(IDI_GIMP));
}

void CMoXIDialog::SetButtonBitmaps() {
  const struct {
    UINT bitmap;
    CButton& button;
  } pictures[] = {{IDB_PREVIEW, m_previewButton},
                  {IDB_PAGE_SETUP, m_pageSetupButton},
                  {IDB_LAYER_DIALOG, m_layerDialogButton},
                  {IDB_IMAGE_PROPERTIES, m_imagePropertiesButton}};
  for (size_t i = 0; i < std::size(pictures); ++i) {
    m_buttonBitmaps[i].LoadBitmap(pictures[i].bitmap);
    pictures[i].button.SetBitmap(m_buttonBitmaps[i]);
  }
}

void CMoXIDialog::FillFileTypeList() {
  for (int format = 1; format <= kImageFormatCount; ++format) {
    m_fileTypeList.InsertString(format - 1, ImageFormatName(format));
  }
  m_fileTypeList.SetCurSel(theSettings.imageFormat - 1);
}

void CMoXIDialog::FillEditorList() {
  const char* const names[] = {"Adobe PhotoShop", "The Gimp"};
  for (int i = 0; i < kProgramKindCount; ++i) {
    COMBOBOXEXITEM item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = i;
    item.pszText = const_cast<LPSTR>(names[i]);
    item.iImage = item.iSelectedImage = i;
    m_editorList.InsertItem(&item);
  }
  m_editorList.SetCurSel(theSettings.program - 1);
}

// The settings' image layer, or the current layer when the drawing lacks it.
void CMoXIDialog::ShowImageLayer() {
  std::string name;
  long rgb = static_cast<long>(theLayerColour);
  resolveImageLayer(name, rgb);
  theLayerColour = static_cast<COLORREF>(rgb);
  m_layerField.SetWindowText(name.c_str());
}

// The page setup's device and paper names (empty when unreadable), and the
// buttons that need a device.
void CMoXIDialog::ShowPlotDevice() {
  std::string deviceName, paperName;
  readPlotDevice(deviceName, paperName);
  m_deviceField.SetWindowText(deviceName.c_str());
  m_paperField.SetWindowText(paperName.c_str());
  EnableForDevice(deviceName);
}

void CMoXIDialog::EnableForDevice(const std::string& deviceName) {
  const BOOL hasDevice = deviceName != kNoDevice;
  m_previewButton.EnableWindow(hasDevice);
  m_okButton.EnableWindow(hasDevice);
}

void CMoXIDialog::RefreshPlotFields() {
  PlotFileNames names{{}, m_plotFileType, {}};
  derivePlotFileNames(DeviceName(), PlotFileText(), names);
  m_plotPath = names.plotPath;
  m_plotFileType = names.plotFileType;
  m_worldFileExtension = names.worldFileExtension;
  m_plotFileField.SetWindowText((m_plotPath + "." + m_plotFileType).c_str());
  m_worldFileField.SetWindowText((m_plotPath + "." + m_worldFileExtension).c_str());
}

std::string CMoXIDialog::ImageLayerName() const { return WindowText(m_layerField); }
std::string CMoXIDialog::DeviceName() const { return WindowText(m_deviceField); }
std::string CMoXIDialog::PlotFileText() const { return WindowText(m_plotFileField); }
int CMoXIDialog::EditorSelection() const { return m_editorList.GetCurSel(); }
int CMoXIDialog::PictureTypeSelection() const { return m_fileTypeList.GetCurSel(); }

std::string CMoXIDialog::PictureType() const {
  const int selection = m_fileTypeList.GetCurSel();
  if (selection < 0) return "";
  CString text;
  m_fileTypeList.GetLBText(selection, text);
  return text.str();
}

// The world file that the typed plot file gives, the members untouched: a
// device without a type word gives no type here.
void CMoXIDialog::OnPlotFileChanged() {
  PlotFileNames names;
  derivePlotFileNames(DeviceName(), PlotFileText(), names);
  m_worldFileField.SetWindowText((names.plotPath + "." + names.worldFileExtension).c_str());
}

void CMoXIDialog::OnWorldFileChanged() {}

void CMoXIDialog::OnPlotFileLeft() { RefreshPlotFields(); }

void CMoXIDialog::OnBrowsePlotFile() {
  CFileDialog dialog(TRUE, "", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "All files (*.*)|*.*||", nullptr,
                     kOldFileDialogSize);
  if (dialog.DoModal() == IDOK) m_plotFileField.SetWindowText(dialog.GetPathName());
}

template <class Tool>
void CMoXIDialog::RunWithDialogHidden(Tool tool) {
  CWnd* frame = acedGetAcadFrame();
  if (frame) frame->EnableWindow(TRUE);
  ShowWindow(SW_HIDE);
  if (frame) frame->SetActiveWindow();
  struct ShowAgain {
    CMoXIDialog& dialog;
    ~ShowAgain() {
      dialog.EnableWindow(TRUE);
      dialog.ShowWindow(SW_SHOWNORMAL);
      dialog.SetActiveWindow();
    }
  } showAgain{*this};
  tool();
}

void CMoXIDialog::OnPageSetup() {
  m_plotFileField.SetWindowText(WithoutExtension(PlotFileText()).c_str());
  {
    const HostModuleState hostState;
    RunWithDialogHidden([] {
      auto* layoutManager = static_cast<AcApLayoutManager*>(acdbHostApplicationServices()->layoutManager());
      if (layoutManager) layoutManager->pageSetup(AcDbObjectId::kNull, nullptr, true);
    });
  }
  ShowPlotDevice();
  RefreshPlotFields();
}

void CMoXIDialog::OnPlotPreview() {
  RunWithDialogHidden([] { previewPlot(); });
}

void CMoXIDialog::OnImageProperties() {
  CMoXIIPDialog dialog(m_plotFileType);
  dialog.DoModal();
}

void CMoXIDialog::OnLayerDialog() {
  std::string name, key;
  long rgb = static_cast<long>(theLayerColour);
  if (!chooseImageLayer(name, key, rgb)) return;
  m_layerField.SetWindowText(name.c_str());
  theLayerColour = static_cast<COLORREF>(rgb);
  theSettings.imageLayerName = name;
  theSettings.layerKey = key;
  Invalidate(TRUE);
}

void CMoXIDialog::OnEditImage() {
  theSettings.program = ChosenEditor();
  if (theSettings.program == kProgramGimp && !gimpLocated(LocateGimp)) return;
  RunWithDialogHidden([] { runEditWorkflow(EditJobWithDialogs(theSettings.program)); });
  theSettings.SaveSettings(theApp);
  releasePlotObject();
  EndDialog(0);
}

ProgramKind CMoXIDialog::ChosenEditor() const {
  const int selection = EditorSelection();
  return selection >= 0 && selection < kProgramKindCount ? static_cast<ProgramKind>(selection + 1)
                                                         : theSettings.program;
}

// The entries as the create workflow takes them.
CreateJob CMoXIDialog::Entries() const {
  CreateJob job;
  job.layerName = ImageLayerName();
  job.deviceName = DeviceName();
  job.plotFileText = PlotFileText();
  job.plotFileType = m_plotFileType;
  job.editor = ChosenEditor();
  const int format = PictureTypeSelection();
  if (format >= 0 && format < kImageFormatCount) job.pictureFormat = static_cast<ImageFormat>(format + 1);
  job.pictureType = LowerCase(PictureType());
  job.locateGimp = LocateGimp;
  return job;
}

void CMoXIDialog::OnConfirm() {
  PlotFileNames names{m_plotPath, m_plotFileType, m_worldFileExtension};
  const bool created = confirmCreate(Entries(), names);
  m_plotPath = names.plotPath;
  m_plotFileType = names.plotFileType;
  m_worldFileExtension = names.worldFileExtension;
  if (created) CDialog::OnOK();
}

void CMoXIDialog::OnCancelButton() {
  releasePlotObject();
  CDialog::OnCancel();
}

void CMoXIDialog::OnHelpButton() { ShowDialogHelp("Main"); }

void CMoXIDialog::OnPaint() {
  m_layerSwatch.GetWindowRect(&theSwatchRect);
  ScreenToClient(&theSwatchRect);
  CBrush brush(theLayerColour);
  CPaintDC dc(this);
  theSwatchRect.top += kSwatchTopInset;
  dc.FillRect(&theSwatchRect, &brush);
}

void CMoXIDialog::OnLButtonDown(UINT nFlags, CPoint point) {
  if (theSwatchRect.PtInRect(point)) OnLayerDialog();
  CDialog::OnLButtonDown(nFlags, point);
}

void CMoXIDialog::OnClose() { OnCancelButton(); }
