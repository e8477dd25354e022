#pragma once
// The Photoshop steps of the create and edit workflows.
#include <string>

#include "plot/plot_layers.h"

// Stacks the plot files of `plots` into the layered document "%s.psd" (base
// path): a white background layer and one layer "ACAD_<name>" per layer
// name, in order. EPS plots are opened at their resolution and keep their white paper; the paper of
// raster plots is made transparent. The document stays open for the user and
// the connection stays open for photoshopConvert. False (after the message)
// when Photoshop is not available or the layered document cannot be written
// ("ImageFileNotWritten"); then the connection is closed. An error of any
// other Photoshop call ends the command, with the connection closed.
bool photoshopCreate(const LayerPlots& plots);

// Saves the layered document, writes the picture "%s.%s" (basePath,
// pictureType: tif, bmp, jpg, png or tga in any letter case) from it, tells
// Photoshop's window and disconnects, also when a file cannot be written
// (false after "ImageFileNotWritten") or an error ends the conversion.
bool photoshopConvert(const std::string& basePath, const std::string& pictureType);

// Opens "%s.psd" when it exists, else the picture "%s.%s", waits for the
// user, converts an opened PSD back into the picture and disconnects. False
// (after the message) when Photoshop is not available.
bool photoshopEdit(const std::string& basePath, const std::string& extension);
