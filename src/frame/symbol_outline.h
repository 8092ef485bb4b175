// The procedures and labels of each open file, under its item of the WorkSpace tree: procedures
// ("print PROC") with the labels inside them, labels outside procedures ("again:") beside them.
// Every item carries its line plus one. The tree changes only where a file's list changed, so the
// tree keeps its scroll position and selection while the student types.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "core/asm/asm_symbols.h"

class CTextBuffer;

class CSymbolOutline {
public:
    // Shows the procedures and labels of `buffer` under `fileItem` of `tree`; the text is read
    // again only when the buffer has changed since the last call for that item.
    void Follow(HWND tree, HTREEITEM fileItem, const CTextBuffer& buffer);
    // Shows the procedures and labels of `symbols` under `fileItem` of `tree`.
    void Show(HWND tree, HTREEITEM fileItem, const std::vector<AsmSymbol>& symbols);
    // Forgets a file's item (its file was closed).
    void Forget(HTREEITEM fileItem)
    {
        m_shown.erase(fileItem);
        m_changeCounts.erase(fileItem);
    }

private:
    struct Entry {
        std::string text;
        int line;
        int parent;  // index of the procedure's entry, or -1
        bool operator==(const Entry& other) const
        {
            return text == other.text && line == other.line && parent == other.parent;
        }
    };
    static std::vector<Entry> EntriesOf(const std::vector<AsmSymbol>& symbols);

    std::map<HTREEITEM, std::vector<Entry>> m_shown;
    std::map<HTREEITEM, std::uint64_t> m_changeCounts;  // the buffer's count when last read
};


// The line (zero-based) a symbol's tree item stands for, or -1 for an item that is no symbol.
int OutlineItemLine(HWND tree, HTREEITEM item);
