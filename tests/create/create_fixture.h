#pragma once
// acad-host on the sample site plan opened as D:\work\site.dxf, with a user
// folder and answers of the test's own, and what a run leaves: its
// transcript, files, layered document and saved drawing.
#include <Magick++.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <list>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The message box line of the transcript and its text lines.
inline std::string MessageBoxEntry(const std::string& text, const std::string& buttons,
                                   const std::string& icon, const std::string& answer) {
  std::string entry = "msgbox caption=\"Rasterwerk\" buttons=" + buttons + " icon=" + icon +
                      " owner=\"Rasterwerk\" -> " + answer + "\n";
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) entry += "  | " + line + "\n";
  return entry;
}

class CreateRun : public ::testing::Test {
 protected:
  CreateRun() {
    std::string pattern = (fs::temp_directory_path() / "create-run-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    work = dir / "D" / "work";
    fs::create_directories(work);
    fs::copy_file(SITE_PLAN, work / "site.dxf");
  }
  ~CreateRun() override { fs::remove_all(dir); }

  // Runs the script on D:\work\site.dxf; the transcript is kept in `transcript`.
  // A host that has not ended after a generous minute hangs: it is killed and
  // the run fails.
  int Host(const std::string& script, const std::string& answers, const std::string& options = "") {
    std::ofstream(dir / "script.scr") << script;
    std::ofstream(dir / "answers.txt") << answers;
    const std::string command = "timeout -s KILL 60 " + std::string(ACAD_HOST) + " " + options + " --drive D=" + Quoted(dir / "D") +
                                " --user-dir " + Quoted(dir / "user") + " --script " + Quoted(dir / "script.scr") +
                                " --answers " + Quoted(dir / "answers.txt") + " --transcript " +
                                Quoted(dir / "transcript.txt") + " " + Quoted(work / "site.dxf") +
                                " >/dev/null 2>" + Quoted(dir / "stderr.txt");
    const int status = std::system(command.c_str());
    transcript = ReadFile(dir / "transcript.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  bool Contains(const std::string& text) const { return transcript.find(text) != std::string::npos; }
  // The line of control `id` in the main dialog's last "opened" or "closed" block.
  std::string ControlLine(const std::string& event, int id) const {
    const std::string header = "dialog 12000 " + event;
    const std::string::size_type start = transcript.rfind(header);
    if (start == std::string::npos) return "";
    std::istringstream block(transcript.substr(start));
    std::string line;
    std::getline(block, line);
    while (std::getline(block, line) && line.rfind("  ", 0) == 0) {
      if (line.find(" " + std::to_string(id) + " ") != std::string::npos) return line;
    }
    return "";
  }
  std::vector<std::string> FilesIn(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  bool SettingsWritten() const { return fs::exists(dir / "user" / "Rasterwerk.ini"); }

  fs::path dir;
  fs::path work;
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
