#include "user.h"
#include "a/text.h"
#include "a/base.h"
