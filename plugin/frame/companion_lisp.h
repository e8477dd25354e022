#pragma once
// Calls into the companion LISP library, which another application of the
// same maker defines in the host. Each returns false when the function is
// missing, fails or answers in an unexpected form; the outputs are then left
// as they were and nothing is shown.
#include <string>

// The user's settings folder.
bool LispGetUserIniPath(const std::string& applicationKey, std::string& folder);
// The full path of the user's settings file `fileName`.
bool LispGetUserIniFile(const std::string& applicationKey, const std::string& fileName,
                        std::string& path);
// The full path of the companion-known file `fileName` (e.g. the help file).
bool LispPathInfo(const std::string& fileName, std::string& path);
// The companion's layer dialog for the layer class `layerClass` under the
// title `title`. When the user did not confirm, key and name become empty;
// the call still succeeds.
bool LispLayerDialog(const std::string& applicationKey, const std::string& layerClass,
                     const std::string& title, const std::string& userIniFolder, std::string& key,
                     std::string& name);
// Makes the layer of `layerKey` exist in the drawing.
bool LispNewLayer(const std::string& applicationKey, const std::string& layerKey);
// The drawing layer name of `layerKey`.
bool LispGetLayerName(const std::string& applicationKey, const std::string& layerKey, std::string& name);
