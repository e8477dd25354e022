#pragma once
// Photoshop driven through its automation server: every operation fills the
// connection's shared action descriptor and plays one event, as a recorded
// action would. Photoshop calls that fail raise _com_error (not caught here).
#include <PhotoshopTypeLibrary.h>

#include <string>

// The connection: reference-counted COM references, null while not connected.
struct PhotoshopConnection {
  IPhotoshopApplication* application = nullptr;
  IActionControl* control = nullptr;
  IActionDescriptor* descriptor = nullptr;  // shared by the operations, cleared and refilled
  IActionDescriptor* lastResult = nullptr;  // of the latest play, released once examined
};

extern PhotoshopConnection thePhotoshopConnection;

// Every event is played with this dialog mode: Photoshop shows no dialog.
inline constexpr LONG kSilentDialogMode = 2;

// A four-character code as Photoshop's number ("Opn " = 0x4F706E20).
constexpr LONG PsCode(const char (&code)[5]) {
  return static_cast<LONG>((static_cast<unsigned long>(static_cast<unsigned char>(code[0])) << 24) |
                           (static_cast<unsigned long>(static_cast<unsigned char>(code[1])) << 16) |
                           (static_cast<unsigned long>(static_cast<unsigned char>(code[2])) << 8) |
                           static_cast<unsigned long>(static_cast<unsigned char>(code[3])));
}

bool psConnect();
void psDisconnect();
// psDisconnect for a run that an error has ended: releases what is held and
// asks Photoshop to quit without raising; nothing when not connected.
void psDisconnectAfterError() noexcept;

bool psOpen(const std::string& path);
bool psOpenEps(const std::string& path, double resolution);
bool psSaveAsPsd(const std::string& path);
bool psSaveAsTiff(const std::string& path);
bool psSaveAsBmp(const std::string& path);
bool psSaveAsJpeg(const std::string& path);
bool psSaveAsPng(const std::string& path);
bool psSaveAsTarga(const std::string& path);
bool psSave();
bool psCloseDiscarding();

bool psGetDocumentId(LONG& id);
bool psGetBackgroundLayerId(LONG& id);

bool psMakeLayer(const std::string& name, const char (&colour)[5], bool background);
bool psDeleteLayerAt(LONG index);
bool psDeleteBackground();
bool psDuplicateLayerTo(const std::string& name, LONG documentId);

bool psSelectAll();
bool psDeselect();
bool psCopy();
bool psPaste();
bool psDelete();
bool psColorRange();
bool psSetColor(double red, double green, double blue, bool background);
