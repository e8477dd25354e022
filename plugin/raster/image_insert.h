#pragma once
// The finished picture as a raster image in model space: its definition, the
// image on the chosen layer, placement over the plot window, the image
// options and the world file.
#include <dbid.h>
#include <gevec2d.h>

#include <string>

#include "plot/plot_window.h"

// A loaded image definition of `picturePath` stored in the image dictionary
// under `name`, or under a name suggested from the file when `name` is empty
// or taken. Null when the picture cannot be loaded or stored.
AcDbObjectId createImageDefinition(const std::string& picturePath, const std::string& name = "");
// A model-space image of the definition on layer `layerName`; null (and no
// image) when the layer is not in the drawing or a step fails.
AcDbObjectId createImage(AcDbObjectId defId, const std::string& layerName);
// The image's definition reactor, owned by the image and attached to the definition.
bool attachDefinitionReactor(AcDbObjectId defId, AcDbObjectId imageId);
// Scales the image uniformly to cover the window from its first corner (or
// around the window when the page setup centres the plot, as the plot does);
// `pixelSize` becomes (S, 0). False for a picture without pixels.
bool placeImage(AcDbObjectId imageId, const PlotWindow& window, AcGeVector2d& pixelSize);
bool setImageTransparency(AcDbObjectId imageId, bool on);
// Puts the image behind the other objects with the editor's "DRAWORDER" command.
bool sendImageToBack(AcDbObjectId imageId);
// The drawing-wide image frame.
bool setImageFrame(bool on);
bool readImageFrame(bool& on);
// Marks every model-space entity of class `className` as graphically modified.
void redrawEntitiesOfClass(const std::string& className);
// The image's extents: first (min x, min y), second (max x, max y).
bool readImageExtents(AcDbObjectId imageId, PlotWindow& extents);
// The image options of the settings.
struct ImageOptions {
  bool sendToBack = false;
  bool frame = false;  // the drawing-wide image frame
  bool transparent = false;
};

// The whole insertion of the picture "%s.%s" (basePath, pictureType): image on
// `layerName` over `window`, the image options, the world file. `window`
// holds the image's extents afterwards. Shows no message; a world file that
// cannot be written is named on the command line and the insertion stands.
bool insertPicture(const std::string& basePath, const std::string& pictureType, const std::string& worldExtension,
                   PlotWindow& window, const std::string& layerName, const ImageOptions& options);
