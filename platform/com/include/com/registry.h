#pragma once
// The class registry: which classes can be created, and by what. A server
// registers its class while it is installed; removing the class makes
// CoCreateInstance answer REGDB_E_CLASSNOTREG as for an absent program.
// The server registry names the module that serves a class: the host
// registers it, and the module is loaded when the class is first created,
// registering its class as it loads.
#include <functional>
#include <string>

#include <objbase.h>

namespace com {

// Makes a new object of the class with one reference, or nullptr when the
// server cannot run.
using ClassFactory = std::function<IUnknown*()>;

void RegisterClassFactory(REFCLSID clsid, ClassFactory factory);
void UnregisterClassFactory(REFCLSID clsid);
bool IsClassRegistered(REFCLSID clsid);

// `moduleFile` (a Windows path, loaded with LoadLibraryA) serves `clsid`.
void RegisterServerModule(REFCLSID clsid, const std::string& moduleFile);
// Takes the class out of both registries: it is not installed.
void UnregisterServer(REFCLSID clsid);

// "{6DECC242-87EF-11CF-86B4-444553540000}" -> the GUID; false for any other text.
bool ParseGuid(const std::string& text, GUID& guid);

// "{6DECC242-87EF-11CF-86B4-444553540000}"
std::string FormatGuid(REFGUID guid);

}  // namespace com
