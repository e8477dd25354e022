#pragma once
// The plug-in's message boxes: a text of the message catalogue under the
// plug-in's caption, owned by the main dialog while it is open.
#include <windows.h>

#include <string>

#include "frame/message_table.h"

// Shows `text`, followed by a line break and `detail` when that is not empty,
// with the buttons and icon of `type`; returns the button pressed.
int ShowCatalogueMessage(const MessageText& text, UINT type = MB_OK, const std::string& detail = "");
