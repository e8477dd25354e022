#pragma once
#include "a/s.h"
