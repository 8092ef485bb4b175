// config.ini of the installation folder: the New dialog's last folder.
#pragma once
#include <string>

// The remembered folder; the default "C:\" when the file is missing or unreadable.
std::string LoadLocation(const std::string& configPath);
// Writes `location` (created or truncated); false, with nothing written, when it cannot be.
[[nodiscard]] bool SaveLocation(const std::string& configPath, const std::string& location);
