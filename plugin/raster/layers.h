#pragma once
// The image layer: which layer the picture goes onto, its colour for the main
// dialog's swatch.
#include <dbid.h>

#include <string>

// The current layer ("CLAYER").
bool currentLayerName(std::string& name);
// The colour of layer `layerName` as a COLORREF (red in the low byte), from
// its colour index. False when the layer is not in the drawing.
bool layerColour(const std::string& layerName, long& rgb);
// The layer the main dialog offers when it opens: the settings' image layer
// (made from its layer key through the companion when there is one), or the
// current layer when that layer is not in the drawing.
void resolveImageLayer(std::string& name, long& rgb);
// The companion's layer dialog. True with the chosen key, name and colour;
// false, with nothing changed, when the dialog fails, the user cancels or the
// chosen layer cannot be read. When the companion cannot make the layer of
// the chosen key, its name is still taken and the colour stays unless the
// layer exists.
bool chooseImageLayer(std::string& name, std::string& key, long& rgb);
