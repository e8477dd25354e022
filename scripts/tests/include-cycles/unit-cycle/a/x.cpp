#include "x.h"
#include "y.h"
