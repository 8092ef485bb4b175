#pragma once
#include "core/pc/cpu/decoder.h"
#include "core/pc/bios/video.h"
