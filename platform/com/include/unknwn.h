#pragma once
// IUnknown lives with the rest of the runtime's basic types.
#include <objbase.h>
