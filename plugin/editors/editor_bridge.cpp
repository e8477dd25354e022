#include "editors/editor_bridge.h"

#include "frame/message_box.h"
#include "gimp/gimp_batch.h"
#include "gimp/gimp_discovery.h"
#include "photoshop/editor_close_wait.h"
#include "photoshop/photoshop_workflow.h"

bool editorCanCreate(ProgramKind editor, const LayerPlots& plots) {
  if (editor != kProgramGimp) return true;
  return ensureGimpScript(theSettings.gimpExecutable, MainDialogWindow()) &&
         gimpTextsSafe(plots.basePath, plots.plotType, plots.layerNames);
}

bool editorCreate(ProgramKind editor, const LayerPlots& plots) {
  return editor == kProgramPhotoshop ? photoshopCreate(plots) : gimpCreate(plots);
}

void editorWaitForUser(ProgramKind editor) { WaitForEditorClose(editor, theSettings.hookLibrary); }

bool editorConvert(ProgramKind editor, const std::string& basePath, const std::string& pictureType) {
  if (editor != kProgramPhotoshop) return gimpConvert(basePath, pictureType);
  return photoshopConvert(basePath, pictureType);
}

bool editorEdit(ProgramKind editor, const std::string& basePath, const std::string& extension) {
  if (editor == kProgramPhotoshop) return photoshopEdit(basePath, extension);
  if (editor != kProgramGimp) return false;
  gimpEdit(basePath, extension);
  return true;
}
