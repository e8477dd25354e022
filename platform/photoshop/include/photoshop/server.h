#pragma once
// The photo editor stand-in's extras: installation (its class in the COM
// registry), the journal of what automation asked of it, and a view of its
// open documents. The editor itself is reached through COM only.
#include <string>
#include <vector>

#include <windows.h>

struct IActionDescriptor;

namespace photoshop {

// Registers the application class; until then (and after Uninstall)
// creating it fails with "class not registered". A running editor is quit.
void Install();
void Uninstall();
bool IsRunning();

// One call made on the editor.
struct JournalEntry {
  std::string call;        // "play", "get property", "quit"
  std::string event;       // four-character code of a play, e.g. "Opn "
  long dialogMode = 0;     // of a play
  std::string descriptor;  // Describe() of the descriptor (or reference) given; "" for none
  std::string error;       // "" when carried out, else the reason in the result descriptor
};
std::vector<JournalEntry> Journal();
void ClearJournal();

// The contents of a descriptor in order, e.g.
//   "null" path "D:\a.png"; "As  " object "EPSG" {"Rslt" unitFloat "#Rsl" 300}
// References: reference [property "Prpr" "DocI"; enumerated "Dcmn" "Ordn" "Trgt"].
std::string Describe(IActionDescriptor* descriptor);

// Four-character code <-> number.
LONG CharId(const char* code);
std::string CodeText(LONG code);

struct DocumentView {
  long id = 0;
  std::string path;  // Windows path of its file, "" when it has none
  std::vector<std::string> layers;  // bottom to top
  bool hasBackground = false;
  bool dirty = false;
};
// The open documents, oldest first; the active one is last.
std::vector<DocumentView> Documents();

// The message the user's close is: posted to the editor's window when the
// user finishes (answer "editor done" of the UI driver).
inline constexpr const char* kWindowClass = "Photoshop";

}  // namespace photoshop
