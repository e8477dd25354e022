// The release handshake, linked into every application module (target
// arx_module) so that each exports its own acrxGetApiVersion.
#include "rxdefs.h"

extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() { return ACRX_API_VERSION; }
