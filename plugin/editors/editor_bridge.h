#pragma once
// The image editors behind one interface: the settings' ProgramKind picks
// the photo editor's automation or GIMP's command line for each step.
#include <string>

#include "plot/plot_layers.h"
#include "settings/plugin_settings.h"

// Whether the editor can take the plots, asked before anything is plotted:
// GIMP needs its Script-Fu script (the user is offered to install it) and
// texts it can be given safely; false after the message or a refusal.
bool editorCanCreate(ProgramKind editor, const LayerPlots& plots);

// Stacks the plots into the layered document "%s.psd" (base path). False
// after the editor's own message.
bool editorCreate(ProgramKind editor, const LayerPlots& plots);

// Waits until the user has finished with the layered document: the photo
// editor's close, reported by the hook library (a failed wait has shown its
// message); GIMP has ended already.
void editorWaitForUser(ProgramKind editor);

// Writes the picture "%s.%s" (basePath, pictureType) from "%s.psd". False
// after the editor's own message when it cannot run.
bool editorConvert(ProgramKind editor, const std::string& basePath, const std::string& pictureType);

// Opens "%s.psd" when it exists, else the picture "%s.%s" (basePath,
// extension), for the user; when the user has finished, an edited PSD is
// converted back into the picture. False after the editor's own message when
// it cannot be reached.
bool editorEdit(ProgramKind editor, const std::string& basePath, const std::string& extension);
