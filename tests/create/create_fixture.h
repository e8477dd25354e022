#pragma once
// acad-host on the sample site plan opened as D:\work\site.dxf, with a user
// folder and answers of the test's own, and what a run leaves: its
// transcript, files, layered document and saved drawing.
#include <Magick++.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <vector>

#include "testing/acad_host.h"
#include "testing/temp_folder.h"
#include "testing/transcript.h"

namespace fs = std::filesystem;

using rwtest::readFile;

// The message box of the plug-in, owned by its main dialog, as the transcript
// shows it.
inline std::string MessageBoxEntry(const std::string& text, const std::string& buttons,
                                   const std::string& icon, const std::string& answer) {
  return rwtest::messageBoxEntry(text, buttons, icon, answer);
}

class CreateRun : public ::testing::Test {
 protected:
  CreateRun() {
    fs::create_directories(work);
    fs::copy_file(SITE_PLAN, work / "site.dxf");
    host.options = {"--drive", "D=" + (dir / "D").string(), "--user-dir", (dir / "user").string()};
  }

  // Runs the script on D:\work\site.dxf with `options` of the run; the
  // transcript is kept in `transcript`, the rest of the run in `run`.
  int Host(const std::string& script, const std::string& answers, std::vector<std::string> options = {}) {
    options.push_back((work / "site.dxf").string());
    run = host.run(script, answers, options);
    transcript = run.transcript;
    return run.exitCode;
  }

  // The line of control `id` in the main dialog's last "opened" or "closed"
  // block.
  std::string ControlLine(const std::string& event, int id) const {
    return rwtest::controlLine(rwtest::lastBlock(transcript, "dialog 12000 " + event), std::to_string(id));
  }
  std::vector<std::string> FilesIn(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  bool SettingsWritten() const { return fs::exists(dir / "user" / "Rasterwerk.ini"); }

  const rwtest::TempFolder folder{"create-run"};
  const fs::path dir = folder.path();
  const fs::path work = dir / "D" / "work";
  rwtest::AcadHost host{ACAD_HOST, dir};
  rwtest::HostRun run;
  std::string transcript;
};

// A raster image entity of a DXF file: its layer, insertion point, pixel
// vectors and size in pixels.
struct DxfImage {
  std::string layer;
  double x = 0, y = 0, ux = 0, uy = 0, vx = 0, vy = 0, width = 0, height = 0;
};

inline std::vector<DxfImage> ImagesIn(const fs::path& dxf) {
  std::ifstream in(dxf);
  std::vector<std::pair<int, std::string>> groups;
  for (std::string code, value; std::getline(in, code) && std::getline(in, value);) {
    if (!value.empty() && value.back() == '\r') value.pop_back();
    groups.emplace_back(std::stoi(code), value);
  }
  std::vector<DxfImage> images;
  bool inImage = false;
  for (const auto& [code, value] : groups) {
    if (code == 0) {
      inImage = value == "IMAGE";
      if (inImage) images.emplace_back();
      continue;
    }
    if (!inImage) continue;
    DxfImage& image = images.back();
    double* fields[] = {&image.x, &image.ux, &image.vx, &image.width};
    double* yFields[] = {&image.y, &image.uy, &image.vy, &image.height};
    if (code == 8) image.layer = value;
    else if (code >= 10 && code <= 13) *fields[code - 10] = std::stod(value);
    else if (code >= 20 && code <= 23) *yFields[code - 20] = std::stod(value);
  }
  return images;
}

inline std::vector<std::string> PsdLayerNames(const fs::path& psd) {
  std::list<Magick::Image> images;
  Magick::readImages(&images, psd.string());
  std::vector<std::string> names;
  if (!images.empty()) images.pop_front();  // the merged picture
  for (auto& image : images) names.push_back(image.label());
  return names;
}

// The saved drawing holds one image, on `layer`, covering the sample's plot
// window (995,495)-(1215,650) from its lower-left corner.
inline void ExpectOneImageOverThePlotWindow(const fs::path& dxf, const std::string& layer) {
  const std::vector<DxfImage> images = ImagesIn(dxf);
  ASSERT_EQ(images.size(), 1u);
  const DxfImage& image = images[0];
  EXPECT_EQ(image.layer, layer);
  EXPECT_NEAR(image.x, 995.0, 1e-6);
  EXPECT_NEAR(image.y, 495.0, 1e-6);
  EXPECT_GE(image.ux * image.width, 220.0 - 1e-6);
  EXPECT_GE(image.vy * image.height, 155.0 - 1e-6);
  EXPECT_NEAR(image.uy, 0.0, 1e-12);
  EXPECT_NEAR(image.vx, 0.0, 1e-12);
}
