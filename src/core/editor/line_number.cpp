#include "core/editor/line_number.h"

#include <string>

int ParseLineNumber(const char* text, int lineCount)
{
    const std::string s(text ? text : "");
    std::size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    long long value = 0;
    std::size_t digits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (s[i] - '0');
        if (value > lineCount) return 0;  // also keeps the value from growing without bound
    }
    if (digits == 0 || s.find_first_not_of(" \t", i) != std::string::npos) return 0;
    return value >= 1 ? static_cast<int>(value) : 0;
}
