#include "frame/help.h"

#include <htmlhelp.h>

#include "frame/profile_file.h"
#include "frame/text.h"

void SplitHelpPath(const std::string& path, std::string& folder, std::string& fileName) {
  folder = FolderOfPath(path);
  fileName = FileNameOfPath(path);
}

void ShowHelpTopic(CWinApp& app, const std::string& helpFolder, const std::string& helpFileName,
                   const std::string& topic) {
  const std::string topicMap = helpFolder + "Rasterwerk.top";
  std::string page;
  {
    BorrowedProfileFile profile(app, topicMap);
    page = app.GetProfileString("Rasterwerk", topic.c_str(), "");
  }
  // The topic map's value carries HTML Help's own notation ("::/main.htm")
  // and is appended without a separator.
  const std::string helpPath = helpFolder + helpFileName + page;
  HtmlHelpA(nullptr, helpPath.c_str(), HH_DISPLAY_TOPIC, 0);
}
