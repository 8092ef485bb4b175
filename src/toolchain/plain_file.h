#pragma once
// Whether a path names a file (not a folder) that exists.
#include <string>

[[nodiscard]] bool IsPlainFile(const std::string& path);
