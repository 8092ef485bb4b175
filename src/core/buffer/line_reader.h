#pragma once
// Loading: a file's bytes split into lines, raw, with no conversion of any kind.
#include "core/buffer/file_system.h"
#include "core/buffer/line_store.h"

struct LoadedFile {
    int nStyle = 0;          // the style the lines were split at
    bool bReadOnly = false;  // the file's read-only attribute
};

// Reads in blocks of this size; detection looks at the first block only.
constexpr size_t FILE_BLOCK_SIZE = 32768;

// Appends the lines of the file to an empty store. nStyle is a style to split at, or EOL_DETECT.
// On failure the store holds what was read so far; the caller discards it.
FileResult ReadLines(CFileSystem& fs, const char* pszPath, int nStyle, CLineStore& lines, LoadedFile& loaded);
