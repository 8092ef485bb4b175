#pragma once
// Replacing a range of a buffer by a text, as the Replace commands do it.
#include <string_view>

#include "core/buffer/text_buffer.h"
#include "core/editor/edit_ranges.h"

// Deletes the ordered range ("Delete Selection") and inserts text at its start ("Replace"), each
// change an undo group of its own, so that Undo takes a replacement back in two steps. inserted
// receives the range the text now occupies. False when the buffer refused the deletion (nothing
// changed) or, after it, the insertion (the range is then deleted and inserted is empty at its
// start).
[[nodiscard]] bool ReplaceRange(CTextBuffer& buffer, CBufferObserver* pSource, const TextRange& range,
                                std::string_view text, TextRange& inserted);
