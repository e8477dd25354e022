#pragma once
// Every text the plug-in shows: its section, its key in "Rasterwerk.msg" and
// the text used when the file, the section or the key is missing.

// Section indexes of the message file; 0 names an empty section.
enum MessageSection {
  kSectionNone = 0,
  kSectionTitle = 1,          // "SETTINGS_TITLE": dialog titles
  kSectionGroup = 2,          // "SETTINGS_GROUP": group boxes of the main dialog
  kSectionPlotter = 3,        // "SETTINGS_GROUP_PLOTTER"
  kSectionImage = 4,          // "SETTINGS_GROUP_IMAGE"
  kSectionGraphic = 5,        // "SETTINGS_GROUP_GRAPHIC"
  kSectionButton = 6,         // "SETTINGS_BUTTON"
  kSectionMessage = 7,        // "SETTINGS_MSG": errors and questions
  kSectionTooltip = 8,        // "SETTINGS_TOOLTIPS"
};
inline constexpr int kMessageSectionCount = 8;

// The section's name in the message file ("" for an index out of range).
const char* MessageSectionName(int section);

struct MessageText {
  MessageSection section;
  const char* key;
  const char* defaultText;
};

// (name in code, section, key, default text)
#define RASTERWERK_MESSAGES(X)                                                                      \
  X(kMainDlgTitle, kSectionTitle, "MainDlgTitle", "Rasterwerk")                                   \
  X(kImageEditDlgTitle, kSectionTitle, "ImageEditDlgTitle", "Image Edit")                         \
  X(kImagePropertiesDlgTitle, kSectionTitle, "ImagePropertiesDlgTitle", "Image properties")       \
  X(kGroupPlotter, kSectionGroup, "Plotter", "Plotter configuration:")                            \
  X(kGroupImage, kSectionGroup, "Image", "Image configuration:")                                  \
  X(kGroupGraphic, kSectionGroup, "Graphic", "Graphic program configuration:")                    \
  X(kPlotterName, kSectionPlotter, "Name", "Name:")                                               \
  X(kPaperSize, kSectionPlotter, "PaperSize", "Paper size:")                                      \
  X(kPlotFile, kSectionPlotter, "PlotFile", "Plot file:")                                         \
  X(kWorldFile, kSectionPlotter, "WorldFile", "World file:")                                      \
  X(kFileType, kSectionImage, "FileType", "File type:")                                           \
  X(kLayer, kSectionImage, "Layer", "Layer:")                                                     \
  X(kImageProperties, kSectionImage, "ImageProperties", "Image properties:")                      \
  X(kImageSourceFile, kSectionImage, "ImageSourceFile", "Image source file:")                     \
  X(kTransparency, kSectionImage, "Transparency", "Transparency:")                                \
  X(kImageframe, kSectionImage, "Imageframe", "Imageframe:")                                      \
  X(kBackground, kSectionImage, "Background", "Background")                                       \
  X(kPostscriptResolution, kSectionImage, "PostscriptResolution", "Postscript-Resolution:")       \
  X(kEditor, kSectionGraphic, "Editor", "Editor:")                                                \
  X(kGimpLocation, kSectionGraphic, "GimpLocation", "GIMP location:")                             \
  X(kButtonEdit, kSectionButton, "Edit", "Edit")                                                  \
  X(kButtonOk, kSectionButton, "Ok", "Ok")                                                        \
  X(kButtonCancel, kSectionButton, "Cancel", "Cancel")                                            \
  X(kButtonHelp, kSectionButton, "Help", "Help")                                                  \
  X(kFailedToLoadDll, kSectionMessage, "FailedToLoadDll", "Unable to load dynamic library")       \
  X(kEntitiesNotFound, kSectionMessage, "EntitiesNotFound",                                       \
    "The operation cannot be completed because nothing was selected")                             \
  X(kLayerNotSpecified, kSectionMessage, "LayerNotSpecified",                                     \
    "The operation can not be completed while the layer name is not specified!")                  \
  X(kFullPathNotSpecified, kSectionMessage, "FullPathNotSpecified",                               \
    "The operation can not be completed while the full path to the plot file is not specified!")  \
  X(kPlotAreaNotWindow, kSectionMessage, "PlotAreaNotWindow", "Plot Area must be Window!")        \
  X(kPsdFileAlreadyExists, kSectionMessage, "PsdFileAlreadyExists",                               \
    "The .psd file still exists. Do you want to overwright it?")                                  \
  X(kScmFileNotFound, kSectionMessage, "ScmFileNotFound",                                         \
    "The .scm file needed to process the image with Gimp could not be found. "                    \
    "Do you want to install it?")                                                                 \
  X(kEntityNotRasterImage, kSectionMessage, "EntityNotRasterImage",                               \
    "Selected entity is not a raster image")                                                      \
  X(kIncorrectFileExtension, kSectionMessage, "IncorrectFileExtension",                           \
    "The extension is not corect!")                                                               \
  X(kPsResolutionNotValid, kSectionMessage, "PsResolutionNotValid",                               \
    "Resolution must be a positive number.")                                                      \
  X(kPshNotAvailable, kSectionMessage, "PshNotAvailable", "Photoshop is not available")           \
  X(kGimpNotAvailable, kSectionMessage, "GimpNotAvailable", "Gimp is not available")              \
  X(kGimpTextNotSafe, kSectionMessage, "GimpTextNotSafe",                                         \
    "This text can not be passed to Gimp safely:")                                                \
  X(kImageWithoutExtension, kSectionMessage, "ImageWithoutExtension",                             \
    "The image file has no extension and cannot be edited:")                                      \
  X(kImageNotReloaded, kSectionMessage, "ImageNotReloaded", "The image could not be loaded from") \
  X(kImageFileNotWritten, kSectionMessage, "ImageFileNotWritten",                                 \
    "The image file is missing or incomplete:")                                                   \
  X(kSettingsNotSaved, kSectionMessage, "SettingsNotSaved", "The settings could not be saved in:") \
  X(kWorldFileNotWritten, kSectionMessage, "WorldFileNotWritten",                                 \
    "The world file could not be written:")                                                       \
  X(kFailedToCreateTempFile, kSectionMessage, "FailedToCreateTempFile",                           \
    "Can not create temporary file!")                                                             \
  X(kFailedToRegClass, kSectionMessage, "FailedToRegClass", "Can not register hook window class") \
  X(kFailedToCreateWnd, kSectionMessage, "FailedToCreateWnd", "Can not create hook window")       \
  X(kFailedToGetFuncAddress, kSectionMessage, "FailedToGetFuncAddress",                           \
    "Can not retrieve the address of the exported hook-function!")                                \
  X(kFailedToGetPshWndHandle, kSectionMessage, "FailedToGetPshWndHandle",                         \
    "Can not retrieve the handle to the top-level Photoshop window!")                             \
  X(kFailedToGetPshThreadId, kSectionMessage, "FailedToGetPshThreadId",                           \
    "Can not retrieve the identifier of the Photoshop thread!")                                   \
  X(kFailedToSetHook, kSectionMessage, "FailedToSetHook", "Can not install the hook!")            \
  X(kTipPlotProperties, kSectionTooltip, "PlotProperties", "Opens the Plot-Properties-Dialog")    \
  X(kTipPlotPreview, kSectionTooltip, "PlotPreview", "Plot Preview")                              \
  X(kTipPlotFile, kSectionTooltip, "PlotFile", "Opens the File-Dialog")                           \
  X(kTipImageProperties, kSectionTooltip, "ImageProperties", "Most used image properties")        \
  X(kTipLayerDialog, kSectionTooltip, "LayerDialog", "Opens the Layer-Dialog")                    \
  X(kTipEdit, kSectionTooltip, "Edit", "Edit")                                                    \
  X(kTipOk, kSectionTooltip, "Ok", "Ok")                                                          \
  X(kTipCancel, kSectionTooltip, "Cancel", "Cancel")                                              \
  X(kTipHelp, kSectionTooltip, "Help", "Help")

namespace msg {

#define RASTERWERK_DECLARE_MESSAGE(name, section, key, text) \
  inline constexpr MessageText name{section, key, text};
RASTERWERK_MESSAGES(RASTERWERK_DECLARE_MESSAGE)
#undef RASTERWERK_DECLARE_MESSAGE

// All of them, in the order above.
#define RASTERWERK_LIST_MESSAGE(name, section, key, text) name,
inline constexpr MessageText kAll[] = {RASTERWERK_MESSAGES(RASTERWERK_LIST_MESSAGE)};
#undef RASTERWERK_LIST_MESSAGE

}  // namespace msg
