#pragma once
// The Photoshop bridge's error messages: catalogue text, the plug-in's
// caption, an OK button, owned by the main dialog when one is open.
#include "frame/message_table.h"

void ShowPhotoshopMessage(const MessageText& text);
