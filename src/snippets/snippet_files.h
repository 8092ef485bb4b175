// The snippet folder on disk: one snippet is one file directly in the folder, named as the
// snippet is.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The names of the files directly in `folder` (no folders, no "." or ".."), sorted without regard
// to case; none when the folder does not exist.
std::vector<std::string> ListSnippetFolder(const std::string& folder);
// Reads the file, whatever its size, byte for byte up to its first NUL byte (the end of a
// snippet's text); false with the system's error code.
[[nodiscard]] bool ReadSnippet(const std::string& path, std::string& bytes, DWORD& error);
// Creates `path` as an empty file. An existing file is never touched: that fails with
// ERROR_FILE_EXISTS.
[[nodiscard]] bool CreateEmptySnippet(const std::string& path, DWORD& error);
