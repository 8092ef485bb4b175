// The portable zip, unpacked by the test runner into a folder with a blank and a Chinese name
// (HALYARD_UNZIPPED): the whole installation is there and Halyard starts in it.
#include "package/halyard_starts.h"
#include <cstdlib>

TEST(Zip, UnpackedHalyardStarts)
{
    const char* unzipped = std::getenv("HALYARD_UNZIPPED");
    ASSERT_NE(nullptr, unzipped);
    const std::string dir = std::string(unzipped) + "\\Halyard";
    for (const char* file : {"Halyard.exe", "Halyard.htm", "bin\\Pausexec.exe", "bin\\Tracegate.exe",
                             "bin\\Dosrun.exe", "Template\\empty.asm", "segment\\read-key"})
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir + "\\" + file).c_str())) << file;
    EXPECT_TRUE(HalyardStarts(dir + "\\Halyard.exe", dir));
}
