#pragma once
// The editor's server reached through COM, with a fresh folder per test and
// helpers that play events and name files in it.
#include <gtest/gtest.h>

#include <Magick++.h>
#include <PhotoshopTypeLibrary.h>
#include <photoshop/server.h>
#include <win32/posix.h>

#include <filesystem>
#include <string>
#include "testing/temp_folder.h"

namespace fs = std::filesystem;

inline IPhotoshopApplication* Connect() {
  CoInitialize(nullptr);
  IPhotoshopApplication* application = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_PhotoshopApplication, nullptr, 23, IID_IPhotoshopApplication,
                             reinterpret_cast<void**>(&application)),
            S_OK);
  return application;
}

inline std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    photoshop::Install();
    photoshop::ClearJournal();
    app_ = Connect();
    ASSERT_NE(app_, nullptr);
    ASSERT_EQ(app_->MakeControlObject(&control_), S_OK);
  }
  void TearDown() override {
    if (control_) control_->Release();
    if (app_) {
      app_->Quit();
      app_->Release();
    }
    CoUninitialize();
  }
  std::string WindowsPath(const std::string& name) { return folder_.windows(name); }
  std::string PosixPath(const std::string& name) { return folder_.posix(name); }

  // Plays an event with the given puts; the result's reason, "" when carried
  // out. `lastStatus_` keeps the call's status.
  template <typename Fill>
  std::string Play(const char* event, Fill fill) {
    IActionDescriptor* descriptor = nullptr;
    app_->MakeDescriptor(&descriptor);
    fill(descriptor);
    IActionDescriptor* result = nullptr;
    lastStatus_ = control_->Play(photoshop::CharId(event), descriptor, 2, &result);
    descriptor->Release();
    if (lastStatus_ == E_FAIL) return photoshop::Journal().back().error;  // the call failed
    EXPECT_EQ(lastStatus_, S_OK);
    if (result == nullptr) return "";
    result->Release();
    return photoshop::Journal().back().error;
  }
  std::string Open(const std::string& name) {
    std::u16string path = Wide(WindowsPath(name));
    return Play("Opn ", [&](IActionDescriptor* d) {
      BSTR text = SysAllocString(path.c_str());
      d->PutPath(photoshop::CharId("null"), text);
      SysFreeString(text);
    });
  }
  // Plays an event whose only item is a path under `key`.
  std::string PlayWithPath(const char* event, const char* key, const std::u16string& path) {
    return Play(event, [&](IActionDescriptor* d) {
      BSTR text = SysAllocString(path.c_str());
      d->PutPath(photoshop::CharId(key), text);
      SysFreeString(text);
    });
  }
  void MakePicture(const std::string& name, const char* colour) {
    Magick::Image picture(Magick::Geometry(30, 20), Magick::Color(colour));
    picture.write(PosixPath(name));
  }

  rwtest::TempFolder folder_{"rw-ps-server"};
  IPhotoshopApplication* app_ = nullptr;
  IActionControl* control_ = nullptr;
  HRESULT lastStatus_ = S_OK;
};
