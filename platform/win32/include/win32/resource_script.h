#pragma once
// A module's resources: its dialog templates, bitmaps and icons, declared in
// C++ as a resource script and found through the module's instance handle
// (FindResourceA, LoadBitmapA, LoadIconA, CDialog(id) with
// AfxGetResourceHandle()).
//
// In one source file of the module (more than one script per module is fine,
// each resource id once per type):
//
//   #include <windows.h>
//   #include <win32/resource_script.h>
//
//   RW_RESOURCE_SCRIPT{
//       win32::DialogResource(12029, "Rasterwerk",
//                             DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 186, 116,
//                             {
//                                 {14036, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 95, 50, 14, "OK"},
//                                 {12003, "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 14, 27, 136, 14, ""},
//                                 {IDC_STATIC, "Static", SS_BITMAP, 60, 45, 51, 35, "12036"},
//                             }),
//       win32::BitmapResource(12036, "gimp_location.bmp"),
//       win32::IconResource(5, "rasterwerk.ico"),
//   };
//
// The font is "MS Shell Dlg" 8 pt unless given after the controls. A static
// with SS_BITMAP or SS_ICON names its picture resource by number in its text.
// Controls are visible children; WS_DISABLED starts one disabled.
//
// Picture files are embedded into the module at build time with the CMake
// helper rw_resources(TARGET file...) (platform/win32/cmake/resources.cmake),
// e.g. rw_resources(MoXi res/gimp_location.bmp res/rasterwerk.ico); the
// script names them by file name. Bitmaps are .bmp files, icons .ico files.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <ui/dialog.h>
#include <vector>
#include <windows.h>

namespace win32 {

// One entry of a resource script.
struct Resource {
  enum class Type { Dialog, Bitmap, Icon };
  Type type = Type::Dialog;
  int id = 0;
  ui::DialogTemplate dialog;  // Type::Dialog
  std::string file;           // Type::Bitmap / Type::Icon: embedded file name
};

Resource DialogResource(int id, const std::string& caption, unsigned style, int cx, int cy,
                        std::vector<ui::ControlTemplate> items,
                        const std::string& font = "MS Shell Dlg", int pointSize = 8);
Resource BitmapResource(int id, const std::string& file);
Resource IconResource(int id, const std::string& file);

// Registers its resources for the module that holds the object (found from
// the object's address), for as long as the object lives.
class ResourceScript {
 public:
  ResourceScript(std::initializer_list<Resource> resources);
  ~ResourceScript();
  ResourceScript(const ResourceScript&) = delete;
  ResourceScript& operator=(const ResourceScript&) = delete;
};

// A file embedded into a module by rw_resources (generated code makes these).
class EmbeddedFile {
 public:
  EmbeddedFile(const char* name, const unsigned char* data, std::size_t size);
  ~EmbeddedFile();
  EmbeddedFile(const EmbeddedFile&) = delete;
  EmbeddedFile& operator=(const EmbeddedFile&) = delete;
};

}  // namespace win32

#define RW_RESOURCE_CONCAT2(a, b) a##b
#define RW_RESOURCE_CONCAT(a, b) RW_RESOURCE_CONCAT2(a, b)
#define RW_RESOURCE_SCRIPT \
  static const ::win32::ResourceScript RW_RESOURCE_CONCAT(rwResourceScript_, __LINE__)
