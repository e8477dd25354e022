#pragma once
// The editor's automation plot object, held while the main dialog is open.
#include <string>

// Takes the plot object of the active document through the editor's
// application object; false (nothing held) when a step fails.
bool acquirePlotObject();
// Releases the plot object held, if any.
void releasePlotObject();
// Whether a plot object is held.
bool hasPlotObject();
// A full plot preview of the active layout.
void previewPlot();
// Plots the active layout with its own device and page setup to `path`
// (a Windows path). Without a held plot object one is taken for this plot.
bool plotFile(const std::string& path);
