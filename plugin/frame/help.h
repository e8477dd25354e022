#pragma once
// The compiled help file "Rasterwerk.chm" and its topic map "Rasterwerk.top".
#include <afxwin.h>

#include <string>

// Splits a help file path into its folder (with the trailing backslash; ""
// when the path has none) and its file name.
void SplitHelpPath(const std::string& path, std::string& folder, std::string& fileName);

// Opens the help file `helpFolder` + `helpFileName` at the page that the
// topic map "Rasterwerk.top" in `helpFolder` gives for `topic` ("Main",
// "Properties", "Gimp", "Edit"); a missing entry opens the help file at its
// default page.
void ShowHelpTopic(CWinApp& app, const std::string& helpFolder, const std::string& helpFileName,
                   const std::string& topic);
