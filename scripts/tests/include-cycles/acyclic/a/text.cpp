#include "text.h"
#include <string>
#include "platform_header.h"
