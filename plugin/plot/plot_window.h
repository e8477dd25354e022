#pragma once
// The plot window and plot device of the active layout's page setup, the type
// of the plot files and the PostScript rasterising resolution.
#include <string>

// Two corners: `first` lower-left, `second` upper-right as the page setup
// stores them; display coordinates after reading, world coordinates after
// plotWindowToWorld, the inserted image's extents after insertion.
struct PlotWindow {
  struct Corner {
    double x = 0.0;
    double y = 0.0;
  };
  Corner first;
  Corner second;
};

// The module's plot window, overwritten by each run.
extern PlotWindow thePlotWindow;

// True only when the active layout's plot type is Window; then `window`
// holds its corners in display coordinates.
bool readPlotWindow(PlotWindow& window);
// Where the page setup puts the plotted window on the paper: centred, or from
// the lower-left corner moved by the plot origin (pixels). Not centred and no
// offset when the layout cannot be read.
struct PlotPlacement {
  bool centered = false;
  double originX = 0.0, originY = 0.0;
};
PlotPlacement readPlotPlacement();
// Converts both corners from display to world coordinates in place, without
// re-sorting them.
void plotWindowToWorld(PlotWindow& window);
// The active layout's plot device and the locale name of its medium. False
// when the layout or the validator cannot be had or a name cannot be read; a
// device name read before the failure stays.
bool readPlotDevice(std::string& deviceName, std::string& paperName);
// Has the validator refresh its device and media lists for the active layout.
void refreshPlotDeviceLists();
// The plot file type from the device name ("png", "jpg", "tif" or "eps";
// unchanged when the name holds none of their words), and the plot path
// without an extension that equals the type exactly.
void plotFileType(const std::string& deviceName, std::string& plotPath, std::string& fileType);
// The settings' PostScript resolution in pixels per inch.
double postScriptResolution();
