#pragma once
// Line-end styles: detected when a file is loaded, recorded in the buffer and used again when it
// is saved, so that a file is always written back with the separator it was split at.
#include <cstddef>
#include <string_view>

constexpr int EOL_DETECT = -1; // argument only: detect on load, the recorded style on save
constexpr int EOL_CRLF = 0;    // CR LF, shown as "DOS"
constexpr int EOL_LFCR = 1;    // LF CR (two bytes, LF first), shown as "UNIX"
constexpr int EOL_LF = 2;      // LF alone, shown as "MAC"

bool IsLineEndStyle(int nStyle);
// The separator bytes of a style (EOL_CRLF for a value outside the table).
std::string_view LineEndSeparator(int nStyle);
// "DOS", "UNIX" or "MAC" (empty for a value outside the table).
const char* LineEndName(int nStyle);
// Decides the style from the first block of a file: the first LF preceded by CR is EOL_CRLF,
// followed by CR is EOL_LFCR, else EOL_LF; no LF at all is EOL_CRLF.
int DetectLineEnd(const char* pBlock, size_t nSize);
