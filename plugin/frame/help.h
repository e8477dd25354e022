#pragma once
// The compiled help file "Rasterwerk.chm" and its topic map "Rasterwerk.top".
#include <afxwin.h>

#include <string>

// Splits a help file path into its folder (with the trailing backslash; ""
// when the path has none) and its file name.
void SplitHelpPath(const std::string& path, std::string& folder, std::string& fileName);

// Opens the help file at the page that the topic map gives for `topic`
// ("Main", "Properties", "Gimp", "Edit"); a missing entry opens the help file
// at its default page. Always true.
bool ShowHelpTopic(CWinApp& app, const std::string& topic);
