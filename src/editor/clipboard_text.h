// Text on the clipboard in CF_TEXT: code page 936 bytes ending with a NUL.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// A movable shared block holding the text and its terminating NUL; null when it cannot be made.
HGLOBAL MakeTextBlock(std::string_view text);
// The text of a CF_TEXT block, up to its first NUL and never past the block's end.
bool ReadTextBlock(HGLOBAL block, std::string& text);

bool IsClipboardTextAvailable();
// Replaces the clipboard's contents by the text; false for an empty text or when the clipboard
// cannot be opened or the block cannot be made or handed over.
bool PutClipboardText(HWND owner, std::string_view text);
bool GetClipboardText(HWND owner, std::string& text);
