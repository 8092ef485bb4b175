#pragma once
// One line about each register and each directive or operator word, for the status bar; the
// instructions are explained by the instruction reference. Texts are in the build's execution
// character set (code page 936 in the program).
#include <string_view>

// The note for `word` (letters in either case), "AX：..." with the word in capitals first; null
// for a word that is not a register or directive.
const char* KeywordNote(std::string_view word);
