#pragma once
// Saving: the lines joined by a separator, written to a temporary file in the target's folder,
// flushed to the disk and put in the target's place in one step. The target is never deleted
// first: on any failure it keeps its old bytes and the temporary file is removed.
#include <string_view>

#include "core/buffer/file_system.h"
#include "core/buffer/line_store.h"

// Prefix of the temporary file's name.
constexpr const char* TEMP_FILE_PREFIX = "CRE";

FileResult WriteLines(CFileSystem& fs, const char* pszTarget, const CLineStore& lines, std::string_view separator);
