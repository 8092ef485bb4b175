#pragma once
#include "core/pc/devices/timer.h"
#include "core/pc/host.h"
