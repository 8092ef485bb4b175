#include "core/util/version.h"
