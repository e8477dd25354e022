#pragma once
#include "a/base.h"
