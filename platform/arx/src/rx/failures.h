#pragma once
// The test controls as the editor calls see them.
namespace arx::detail {

// True (and one planned failure used up) when the next call of `call` is to fail.
bool consumeFailure(const char* call);

}  // namespace arx::detail
