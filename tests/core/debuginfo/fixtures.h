#pragma once
// The listings and maps the real toolchains made of our own small programs (tests/data/debuginfo),
// read as the IDE would hand them to the core.
#include <fstream>
#include <sstream>
#include <string>

namespace debuginfo_test {

inline std::string DataPath(const std::string& name)
{
    return std::string(HALYARD_TEST_DATA) + "/debuginfo/" + name;
}

inline bool ReadText(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream out;
    out << file.rdbuf();
    text = out.str();
    return true;
}

inline std::string Fixture(const std::string& name)
{
    std::string text;
    ReadText(DataPath(name), text);
    return text;
}

}  // namespace debuginfo_test
