#include "core/app/config_location.h"

std::string DecodeLocation(const std::string& raw)
{
    std::string text;
    for (size_t i = 0; i < raw.size() && text.size() < kLocationChars; ++i) {
        char c = raw[i];
        if (c == '\x1a') break;
        if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += c;
    }
    size_t nul = text.find('\0');
    return nul == std::string::npos ? text : text.substr(0, nul);
}

std::string EncodeLocation(const std::string& location)
{
    std::string bytes;
    for (char c : location) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}
