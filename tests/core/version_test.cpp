#include <gtest/gtest.h>
#include <cstring>
#include "core/util/version.h"
TEST(Version, Text) { EXPECT_STREQ("Halyard 6.0 Build 08.0117.3", HALYARD_VERSION_TEXT); }
