// The staged programs carry what Windows reads from them: Halyard.exe its manifest, every
// program its version resource with the version line of core/util/version.h.
#include <gtest/gtest.h>
#include "e2e/harness.h"
#include "core/util/version.h"
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The version line without the product name: "6.0 Build 08.0117.3".
const std::string kShort = std::string(HALYARD_VERSION_TEXT).substr(std::strlen("Halyard "));

std::string VersionString(const std::vector<char>& info, const char* name)
{
    char* value = nullptr;
    UINT size = 0;
    std::string key = std::string("\\StringFileInfo\\080404B0\\") + name;
    if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &size) || !size) return "";
    return value;
}

std::string Manifest(const std::string& exe)
{
    HMODULE m = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!m) return "";
    std::string text;
    if (HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const char* data = static_cast<const char*>(LockResource(LoadResource(m, r)));
        if (data) text.assign(data, SizeofResource(m, r));
    }
    FreeLibrary(m);
    return text;
}

}  // namespace

TEST(Resources, EveryProgramCarriesTheVersionLine)
{
    unsigned major = 0, minor = 0, third = 0, fourth = 0;
    ASSERT_EQ(4, std::sscanf(kShort.c_str(), "%u.%u Build %*u.%u.%u", &major, &minor, &third, &fourth));
    for (const char* program : {"Halyard.exe", "bin\\Pausexec.exe", "bin\\Tracegate.exe", "bin\\Dosrun.exe"}) {
        SCOPED_TRACE(program);
        const std::string path = e2e::DistDir() + "\\" + program;
        std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), nullptr));
        ASSERT_FALSE(info.empty()) << "no version resource";
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        EXPECT_EQ(kShort, VersionString(info, "FileVersion"));
        EXPECT_EQ(kShort, VersionString(info, "ProductVersion"));
        EXPECT_EQ(std::strrchr(program, '\\') ? std::strrchr(program, '\\') + 1 : program,
                  VersionString(info, "OriginalFilename"));
        EXPECT_NE("", VersionString(info, "FileDescription"));
        EXPECT_NE("", VersionString(info, "LegalCopyright"));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT size = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
        EXPECT_EQ(MAKELONG(minor, major), fixed->dwFileVersionMS);
        EXPECT_EQ(MAKELONG(fourth, third), fixed->dwFileVersionLS);
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    }
}

// Themed common controls and the supported systems; no DPI awareness (the program draws with fixed
// pixel sizes, so the system scales it whole) and no UTF-8 code page (its texts are code page 936).
TEST(Resources, HalyardManifest)
{
    const std::string manifest = Manifest(e2e::DistDir() + "\\Halyard.exe");
    ASSERT_NE("", manifest) << "no manifest";
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    for (const char* os : {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                           "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                           "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_NE(std::string::npos, manifest.find(os)) << os;
    for (const char* absent : {"dpiAware", "activeCodePage"})
        EXPECT_EQ(std::string::npos, manifest.find(absent)) << absent;
}
