#pragma once
// Searching a buffer for a text, line by line: optional case matching, whole words, upwards or
// downwards, inside a block, with one wrap round the text.
//
// Lines are code page 936 text. An occurrence never starts or ends between the two bytes of a
// double-byte character; ignoring case upper-cases single-byte ASCII letters only, never a byte of
// a double-byte character (whose second byte may look like a letter); and the bytes of double-byte
// characters are not word characters.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/buffer/text_buffer.h"

constexpr uint32_t FIND_MATCH_CASE = 0x0001;
constexpr uint32_t FIND_WHOLE_WORD = 0x0002;
constexpr uint32_t FIND_DIRECTION_UP = 0x0010;

// `text` with its single-byte ASCII letters upper-cased.
std::string UpperCased(std::string_view text);

// Searches for `what` from `start`. Without FIND_MATCH_CASE both texts are compared upper-cased.
// With FIND_WHOLE_WORD an occurrence touching a word character on either side is skipped and the
// scan goes on one byte after its start; only an occurrence right at the scan's first position in
// a line is taken without looking at the byte before it, so that a search started inside a word
// may find the rest of it. Downwards only occurrences starting inside [blockBegin,
// blockEnd) count, and the wrap restarts at blockBegin; an occurrence may extend past the block's
// end. Upwards the block is not used: each line is scanned from its start (the start line from
// the start column) to its end, and the wrap goes on from the last line. With bWrap the search
// goes round once; found receives the occurrence's start. False when there is none, and when the
// block is empty.
bool SearchInRange(const CTextBuffer& buffer, std::string_view what, TextPosition start, TextPosition blockBegin,
                   TextPosition blockEnd, uint32_t flags, bool bWrap, TextPosition& found);

// SearchInRange over the whole text, from (0, 0) to the end of the last line.
bool SearchText(const CTextBuffer& buffer, std::string_view what, TextPosition start, uint32_t flags, bool bWrap,
                TextPosition& found);
