#pragma once
// The companion's LISP functions. Each reads its arguments with acedGetArgs()
// and answers with acedRet*; RSERR (a LISP error) when the arguments are not
// the strings it expects.
#include <string>
#include <vector>

#include "adslib.h"

namespace companion {

// The call's arguments when they are exactly `count` strings.
bool StringArguments(std::size_t count, std::vector<std::string>& values);

// The user's folder (Windows path ending with a backslash), created when it
// is missing; "" when the host names none or it cannot be made.
std::string UserFolder();

// (tavo_getUserIniPath appKey), (tavo_getUserIniFile appKey fileName),
// (Tavo_pathInfo fileName)
int GetUserIniPath();
int GetUserIniFile();
int PathInfo();

// (Tavo_layerDialog appKey layerClass title userFolder) -> (key name 1|0)
// (Tavo_newLayer appKey key) -> 1 when made, 0 when it was there; nil for an unknown key
// (Tavo_getLayerName appKey key) -> name, or nil for an unknown key
int LayerDialog();
int NewLayer();
int GetLayerName();

}  // namespace companion
