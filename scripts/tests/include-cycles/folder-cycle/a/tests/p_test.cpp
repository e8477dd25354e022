#include "a/p.h"
