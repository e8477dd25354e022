#pragma once
// Captions of the forms: keys beginning with "X_", replaced when a form is
// shown by the texts of the message file beside the library.
#include <vcl.h>

// Translates the form's caption and the captions, texts and items of its
// components from `section` of the message file `msgFile` in the folder of
// the module `moduleName`. A missing file or section is reported and leaves
// the keys on screen.
void TranslateLabels(TForm* form, const AnsiString& msgFile, const AnsiString& section,
                     const AnsiString& moduleName);

// The folder of the loaded module, ending with a backslash; "\." when no
// module of that name is loaded.
AnsiString ModuleFolder(const AnsiString& moduleName);

// True when the section holds a key; otherwise reports it and returns false.
bool SectionExists(TIniFile* ini, const AnsiString& path, const AnsiString& section);
