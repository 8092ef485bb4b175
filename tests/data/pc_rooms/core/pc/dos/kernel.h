#pragma once
// allowed: every room below, and the host interfaces
#include "core/pc/bios/video.h"
#include "core/pc/cpu/decoder.h"
#include "core/pc/host.h"
