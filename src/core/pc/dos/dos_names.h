#pragma once
// DOS file names: the 8.3 wildcard match of find first/next, the device names that every folder
// holds, and the splitting of a path into its folder and last part.
#include <string>
#include <string_view>

#include "core/pc/dos/file_table.h"

namespace halyard::dos {

// Whether the 8.3 `name` matches `pattern` as DOS matches them: each part padded to its width,
// '*' standing for the rest of its part, '?' for one character or none, letters in any case.
bool MatchesPattern(std::string_view name, std::string_view pattern);
// The device a name stands for (CON, NUL, AUX, PRN, ... with any folder or extension), or
// Device::Unused for a file.
Device DeviceName(std::string_view path);
// The folder part of a path, with its trailing separator ("" for a bare name).
std::string_view FolderOf(std::string_view path);
// A name as DOS reports it: ASCII letters in upper case (double-byte characters left alone).
std::string UpperName(std::string_view name);

}  // namespace halyard::dos
