# Writes OUTPUT: a C++ source that registers the bytes of INPUT as the embedded
# file NAME of the module it is linked into.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${NAME}; do not edit.
#include <win32/resource_script.h>

namespace {
const unsigned char data[${size} + 1] = {
${bytes}};
const win32::EmbeddedFile file(\"${NAME}\", data, ${size});
}  // namespace
")
