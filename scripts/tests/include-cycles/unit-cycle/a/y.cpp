#include "y.h"
#include "x.h"
