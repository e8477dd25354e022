#pragma once
#include "a/text.h"
