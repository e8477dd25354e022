#pragma once
// The layer-by-layer run: plot every collected layer, hand the plot files to
// the image editor's create step, then remove them.
#include <functional>
#include <string>

#include "settings/plugin_settings.h"

// An editor's create step: stacks the plot files "%s(Layer%d).%s" (basePath,
// index, fileType) of thePlotLayerList into the layered document. False after
// the editor bridge has shown its own message.
using EditorCreateStep = std::function<bool(const std::string& basePath, const std::string& fileType)>;

// GIMP's create step through the editor bridge; tests may put another in its place.
extern EditorCreateStep theGimpCreateStep;

// The create step of editor `editor` (ProgramKind: 1 Photoshop, 2 GIMP).
EditorCreateStep editorCreateStep(ProgramKind editor);

// "EntitiesNotFound" when no layer is collected; else plots the layers, runs
// `createStep` and, when it succeeds, deletes the plot files and empties the
// list. After a failed step the plot files and the list stay.
bool runLayerImage(const EditorCreateStep& createStep, const std::string& basePath, const std::string& fileType);
bool runLayerImage(ProgramKind editor, const std::string& basePath, const std::string& fileType);
