#pragma once
// The number a Go to Line box holds.

// A decimal within [1, lineCount], blanks around it allowed; 0 for anything else (empty, signs,
// other characters, out of range however many digits it has).
int ParseLineNumber(const char* text, int lineCount);
