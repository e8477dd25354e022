#include "b/user.h"
#include "a/text.h"
