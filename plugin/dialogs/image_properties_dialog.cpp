#include "dialogs/image_properties_dialog.h"

#include <win32/resource_script.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "dialogs/dialog_support.h"
#include "settings/plugin_app.h"
#include "frame/text.h"
#include "raster/image_insert.h"
#include "settings/plugin_settings.h"

namespace {

constexpr double kCentimetresPerInch = 2.54;
constexpr int kUnitIndexInch = kUnitPixelPerInch - 1;

// The leading decimal number of `text` after blanks ("96dpi" is 96), with
// "." as the decimal point whatever the locale; 0 when there is none. Only
// finite numbers count, so "nan" or "inf" are no resolution either.
double LeadingNumber(const std::string& text) {
  const char* first = text.c_str();
  const char* last = first + text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(*first))) ++first;
  if (first < last && *first == '+') ++first;
  double value = 0.0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  return result.ec == std::errc() && std::isfinite(value) ? value : 0.0;
}

// 0-based entry of the unit list; a unit out of range shows as "Pixel/inch".
int UnitIndex(int unit) { return unit == kUnitPixelPerCm ? 1 : 0; }

}  // namespace

// Template 14031.
RW_RESOURCE_SCRIPT{
    win32::DialogResource(
        CMoXIIPDialog::IDD, "Rasterwerk", kSmallDialogStyle, 165, 154,
        {
            {CMoXIIPDialog::IDC_IP_OK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 133, 47, 14, "OK"},
            {CMoXIIPDialog::IDC_IP_CANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, 61, 133, 45, 14, "Cancel"},
            {CMoXIIPDialog::IDC_IP_HELP, "Button", BS_PUSHBUTTON | WS_TABSTOP, 112, 133, 46, 14, "Help"},
            {CMoXIIPDialog::IDC_IP_PROPERTIES_GROUP, "Button", BS_GROUPBOX, 7, 7, 151, 60, "Image properties:"},
            {CMoXIIPDialog::IDC_IP_TRANSPARENCY_LABEL, "Static", SS_LEFT | WS_GROUP, 16, 22, 56, 8, "Transparency:"},
            {CMoXIIPDialog::IDC_IP_FRAME_LABEL, "Static", SS_LEFT | WS_GROUP, 17, 38, 52, 8, "Imageframe:"},
            {CMoXIIPDialog::IDC_IP_TRANSPARENCY_ON, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 79, 23, 20, 10, "on"},
            {CMoXIIPDialog::IDC_IP_TRANSPARENCY_OFF, "Button", BS_AUTORADIOBUTTON, 109, 23, 25, 10, "off"},
            {CMoXIIPDialog::IDC_IP_FRAME_ON, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 79, 37, 24, 10, "on"},
            {CMoXIIPDialog::IDC_IP_FRAME_OFF, "Button", BS_AUTORADIOBUTTON, 109, 37, 25, 10, "off"},
            {CMoXIIPDialog::IDC_IP_BACKGROUND, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 80, 54, 8, 8, ""},
            {CMoXIIPDialog::IDC_IP_BACKGROUND_LABEL, "Static", SS_LEFT | WS_GROUP, 17, 52, 52, 8, "Background:"},
            {CMoXIIPDialog::IDC_IP_RESOLUTION_GROUP, "Button", BS_GROUPBOX, 7, 74, 151, 49, "Static"},
            {CMoXIIPDialog::IDC_IP_RESOLUTION, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 35, 87, 40, 12, ""},
            {CMoXIIPDialog::IDC_IP_UNIT, "ComboBox", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 79, 87, 56, 32, ""},
        }),
};

IMPLEMENT_DYNAMIC(CMoXIIPDialog, CDialog)

BEGIN_MESSAGE_MAP(CMoXIIPDialog, CDialog)
  ON_BN_CLICKED(IDC_IP_OK, OnClickedOk)
  ON_BN_CLICKED(IDC_IP_CANCEL, OnClickedCancel)
  ON_BN_CLICKED(IDC_IP_HELP, OnClickedHelp)
  ON_CBN_SELCHANGE(IDC_IP_UNIT, OnUnitChanged)
END_MESSAGE_MAP()

CMoXIIPDialog::CMoXIIPDialog(const std::string& plotFileType, CWnd* pParent)
    : CDialog(IDD, pParent), m_plotFileType(plotFileType) {}

CMoXIIPDialog::~CMoXIIPDialog() = default;

void CMoXIIPDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_IP_FRAME_ON, m_frameOn);
  DDX_Control(pDX, IDC_IP_FRAME_OFF, m_frameOff);
  DDX_Control(pDX, IDC_IP_TRANSPARENCY_ON, m_transparencyOn);
  DDX_Control(pDX, IDC_IP_TRANSPARENCY_OFF, m_transparencyOff);
  DDX_Control(pDX, IDC_IP_UNIT, m_unitList);
  DDX_Control(pDX, IDC_IP_BACKGROUND, m_background);
  DDX_Control(pDX, IDC_IP_RESOLUTION_GROUP, m_resolutionGroup);
  DDX_Control(pDX, IDC_IP_RESOLUTION, m_resolution);
}

BOOL CMoXIIPDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_pToolTip) m_pToolTip->RelayEvent(pMsg);
  return CDialog::PreTranslateMessage(pMsg);
}

BOOL CMoXIIPDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogIcon(*this);
  SetCatalogueTexts(*this, msg::kImagePropertiesDlgTitle,
                    {{IDC_IP_PROPERTIES_GROUP, msg::kImageProperties},
                     {IDC_IP_TRANSPARENCY_LABEL, msg::kTransparency},
                     {IDC_IP_FRAME_LABEL, msg::kImageframe},
                     {IDC_IP_BACKGROUND_LABEL, msg::kBackground},
                     {IDC_IP_RESOLUTION_GROUP, msg::kPostscriptResolution},
                     {IDC_IP_OK, msg::kButtonOk},
                     {IDC_IP_CANCEL, msg::kButtonCancel},
                     {IDC_IP_HELP, msg::kButtonHelp}});
  ShowResolution(theSettings.psResolution);

  m_unitList.AddString(ResolutionUnitName(kUnitPixelPerInch));
  m_unitList.AddString(ResolutionUnitName(kUnitPixelPerCm));
  m_shownUnit = UnitIndex(theSettings.resolutionUnit);
  m_unitList.SetCurSel(m_shownUnit);

  const BOOL eps = PlotFileTypeIsEps();
  m_resolutionGroup.EnableWindow(eps);
  m_resolution.EnableWindow(eps);
  m_unitList.EnableWindow(eps);

  (theSettings.frame ? m_frameOn : m_frameOff).SetCheck(BST_CHECKED);
  (theSettings.transparency ? m_transparencyOn : m_transparencyOff).SetCheck(BST_CHECKED);
  m_background.SetCheck(theSettings.background ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void CMoXIIPDialog::OnUnitChanged() {
  const int selected = m_unitList.GetCurSel();
  if (selected == CB_ERR || selected == m_shownUnit) return;
  const double value = ResolutionInField();
  if (value >= 0) {
    ShowResolution(m_shownUnit == kUnitIndexInch ? value / kCentimetresPerInch : value * kCentimetresPerInch);
  }
  m_shownUnit = selected;
}

void CMoXIIPDialog::OnClickedOk() {
  const double resolution = ResolutionInField();
  if (resolution <= 0) {
    ShowOwnedMessage(*this, msg::kPsResolutionNotValid);
    return;
  }
  // Text typed into the unit list selects nothing: the value is in the unit shown last.
  const int selected = m_unitList.GetCurSel();
  theSettings.psResolution = resolution;
  theSettings.resolutionUnit = static_cast<ResolutionUnit>((selected == CB_ERR ? m_shownUnit : selected) + 1);
  theSettings.frame = m_frameOn.GetCheck() == BST_CHECKED;
  theSettings.transparency = m_transparencyOn.GetCheck() == BST_CHECKED;
  theSettings.background = m_background.GetCheck() == BST_CHECKED;

  bool frameShown = theSettings.frame;
  if (!readImageFrame(frameShown)) frameShown = theSettings.frame;
  if (frameShown != theSettings.frame) {
    setImageFrame(theSettings.frame);
    redrawEntitiesOfClass("AcDbRasterImage");
  }
  EndDialog(IDOK);
}

void CMoXIIPDialog::OnClickedCancel() { EndDialog(IDCANCEL); }

void CMoXIIPDialog::OnClickedHelp() { ShowDialogHelp("Properties"); }

double CMoXIIPDialog::ResolutionInField() {
  CString text;
  m_resolution.GetWindowText(text);
  return LeadingNumber(std::string(text));
}

void CMoXIIPDialog::ShowResolution(double value) {
  CString text;
  text.Format("%.3lf", value);
  m_resolution.SetWindowText(text);
}

bool CMoXIIPDialog::PlotFileTypeIsEps() const { return EqualsNoCase(m_plotFileType, "eps"); }
