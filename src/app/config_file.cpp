#include "app/config_file.h"
#include "core/app/config_location.h"
#include <cstdio>

std::string LoadLocation(const std::string& configPath)
{
    FILE* f = std::fopen(configPath.c_str(), "rb");
    if (!f) return kDefaultLocation;
    // 60 characters of text mode are at most 120 bytes (every one a CR LF pair).
    char raw[2 * kLocationChars + 1];
    size_t n = std::fread(raw, 1, sizeof raw, f);
    std::fclose(f);
    std::string location = DecodeLocation(std::string(raw, n));
    return location;
}

bool SaveLocation(const std::string& configPath, const std::string& location)
{
    FILE* f = std::fopen(configPath.c_str(), "wb");
    if (!f) return false;
    std::string bytes = EncodeLocation(location);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
