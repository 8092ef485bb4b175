#pragma once
#include "core/pc/host.h"
