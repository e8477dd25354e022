#pragma once
// The class registry: which classes can be created, and by what. A server
// registers its class while it is installed; removing the class makes
// CoCreateInstance answer REGDB_E_CLASSNOTREG as for an absent program.
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

// "{6DECC242-87EF-11CF-86B4-444553540000}"
std::string FormatGuid(REFGUID guid);

}  // namespace com
