#include "editor/clipboard_text.h"
#include <cstring>

HGLOBAL MakeTextBlock(std::string_view text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, text.size() + 1);
    if (!block) return nullptr;
    char* p = static_cast<char*>(GlobalLock(block));
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    if (!text.empty()) std::memcpy(p, text.data(), text.size());
    p[text.size()] = '\0';
    GlobalUnlock(block);
    return block;
}

bool ReadTextBlock(HGLOBAL block, std::string& text)
{
    text.clear();
    const char* p = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (!p) return false;
    const size_t size = GlobalSize(block);
    const void* nul = std::memchr(p, 0, size);
    text.assign(p, nul ? static_cast<const char*>(nul) - p : size);
    GlobalUnlock(block);
    return true;
}

bool IsClipboardTextAvailable() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

bool PutClipboardText(HWND owner, std::string_view text)
{
    if (text.empty()) return false;
    HCURSOR old = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool handedOver = false;
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        HGLOBAL block = MakeTextBlock(text);
        handedOver = block && SetClipboardData(CF_TEXT, block);
        if (block && !handedOver) GlobalFree(block);
        CloseClipboard();
    }
    SetCursor(old);
    return handedOver;
}

bool GetClipboardText(HWND owner, std::string& text)
{
    text.clear();
    if (!OpenClipboard(owner)) return false;
    bool ok = ReadTextBlock(GetClipboardData(CF_TEXT), text);
    CloseClipboard();
    return ok;
}
