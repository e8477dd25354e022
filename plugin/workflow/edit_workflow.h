#pragma once
// "TAVO_IMGEDIT": the user picks a raster image of the drawing, confirms or
// changes the file to edit, edits it in the editor of the settings, and the
// image is reloaded from its picture.
#include <functional>
#include <string>

#include "settings/plugin_settings.h"
#include "workflow/image_source_path.h"

class AcDbEntity;

// What the edit asks of the user besides the pick.
struct EditJob {
  ProgramKind editor{};  // the settings' program
  // The GIMP location dialog: true when the settings know GIMP afterwards.
  std::function<bool()> locateGimp;
  // The image source dialog: confirms or changes the picture to edit; an
  // empty base path ends the edit.
  std::function<void(EditedImage&)> confirmSource;
};

// The whole edit: GIMP's location when GIMP has none, the pick (image frames
// shown while the user picks), the image source dialog and editImage. True
// when an image was edited and reloaded. Prints "Selected entity is not a
// raster image" when the pick is of another class; a pick of nothing ends
// silently.
bool runEditWorkflow(const EditJob& job);

// Picks one entity (single selection, no filter). True with `entity` open for
// read when its class is `className` (exact); false with `wrongClass` set
// when it is of another class (then closed), unset when nothing was picked.
bool selectSingleEntityOfClass(const char* className, AcDbEntity*& entity, bool& wrongClass);

// Edits the picture of `image` (open for read; closed on every path) with
// `editor` (1 the photo editor, 2 GIMP): `basePath` is used when it differs
// from the definition's own, letter case ignored. The definition is unloaded
// while the editor runs and loaded again from "%s.%s" (base path, the
// picture's extension) afterwards; when the edit fails it is loaded again
// from the file it had.
bool editImage(ProgramKind editor, AcDbEntity* image, const std::string& basePath);
