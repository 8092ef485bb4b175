#pragma once
// Word boundaries within one line. A word is a run of ASCII letters, digits and "_"; a
// double-byte character counts as a word character too, so a run of Chinese text is one word.
// Blanks are space, tab, LF, VT, FF and CR; everything else is punctuation.
#include <string_view>

enum class CharKind { Blank, Word, Punctuation };

// The kind of the character starting at pos (pos below the length).
CharKind KindAt(std::string_view line, int pos);

// Ctrl+Left inside a line, from pos above 0: over the blanks to the left, then over the word or
// the punctuation run before them; stops at the line start.
int WordLeftPos(std::string_view line, int pos);
// Ctrl+Right inside a line: over the word (or the punctuation run) at pos, then over the blanks
// after it; stops at the line end.
int WordRightPos(std::string_view line, int pos);
// The start and the end of the word around pos: over word characters to the left, to the right.
// Both give pos itself when no word character is on that side.
int WordStartPos(std::string_view line, int pos);
int WordEndPos(std::string_view line, int pos);

// Home: the first non-blank character, or the line start when the caret is already there or the
// line holds only blanks.
int HomePos(std::string_view line, int pos);
