#pragma once
// The plug-in's two commands and the initialisation that the first of them runs.
// "TAVO_IMGCREATE" and "TAVO_IMGEDIT".
void CreateImageCommand();
void EditImageCommand();

// Application key, help file, the user's INI folder and file, then the
// settings. A failed companion call leaves its path empty and the settings
// take their defaults.
void InitialiseOnFirstUse();
