#pragma once
#include "core/pc/dos/kernel.h"
