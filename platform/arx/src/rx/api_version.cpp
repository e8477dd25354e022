// The release handshake every module exports.
#include "rxdefs.h"

extern "C" int acrxGetApiVersion() { return ACRX_API_VERSION; }
