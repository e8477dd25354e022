#pragma once
// Simple message boxes.
#include <Forms.hpp>

// A message box with the text, the application's title and an OK button.
void ShowMessage(const AnsiString& message);
