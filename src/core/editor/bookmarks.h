#pragma once
// Bookmarks are bits of the buffer's line flags, so they belong to the document, follow their
// lines through edits and are never saved. Numbered bookmark n (0 to 9) is on one line at most;
// any number of lines may carry the unnamed bookmark. Each change notifies the views.
#include "core/buffer/text_buffer.h"

constexpr int kNumberedBookmarks = 10;

// Removes bookmark n from `line` when the line has it; otherwise puts it there, taking it off the
// line that had it.
void ToggleNumberedBookmark(CTextBuffer& buffer, int line, int n);
void ClearNumberedBookmarks(CTextBuffer& buffer);
// Sets or clears the unnamed bookmark of `line`, leaving other lines alone. Answers whether any
// line still carries one.
bool ToggleUnnamedBookmark(CTextBuffer& buffer, int line);
void ClearUnnamedBookmarks(CTextBuffer& buffer);
