// Template 12000 of the main dialog, its pictures and the dialogs' large icon.
#include <windows.h>
#include <win32/resource_script.h>

#include "dialogs/main_dialog.h"

namespace {

using D = CMoXIDialog;

constexpr DWORD kDialogStyle = DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kBitmapButton = BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;
constexpr DWORD kField = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kReadOnlyField = kField | ES_READONLY;

}  // namespace

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
