#include "frame/symbol_outline.h"

#include "core/buffer/text_buffer.h"
#include "frame/tree_items.h"

void CSymbolOutline::Follow(HWND tree, HTREEITEM fileItem, const CTextBuffer& buffer)
{
    const auto seen = m_changeCounts.find(fileItem);
    if (seen != m_changeCounts.end() && seen->second == buffer.GetChangeCount()) return;
    Show(tree, fileItem, IndexSymbols(buffer));
    m_changeCounts[fileItem] = buffer.GetChangeCount();
}

std::vector<CSymbolOutline::Entry> CSymbolOutline::EntriesOf(const std::vector<AsmSymbol>& symbols)
{
    std::vector<Entry> entries;
    std::map<int, int> entryOfSymbol;  // procedures only
    for (std::size_t k = 0; k < symbols.size(); ++k) {
        const AsmSymbol& s = symbols[k];
        if (s.kind == AsmSymbolKind::Procedure) {
            entryOfSymbol[int(k)] = int(entries.size());
            entries.push_back(Entry{s.name + " PROC", s.line, -1});
        } else if (s.kind == AsmSymbolKind::Label) {
            const auto owner = entryOfSymbol.find(s.owner);
            entries.push_back(Entry{s.name + ":", s.line, owner == entryOfSymbol.end() ? -1 : owner->second});
        }
    }
    return entries;
}

void CSymbolOutline::Show(HWND tree, HTREEITEM fileItem, const std::vector<AsmSymbol>& symbols)
{
    if (!tree || !fileItem) return;
    std::vector<Entry> entries = EntriesOf(symbols);
    const auto shown = m_shown.find(fileItem);
    const bool first = shown == m_shown.end();
    if (!first && shown->second == entries) return;
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    while (auto child = reinterpret_cast<HTREEITEM>(
               SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(fileItem))))
        SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
    std::vector<HTREEITEM> items;
    for (const Entry& e : entries) {
        const HTREEITEM parent = e.parent >= 0 ? items[std::size_t(e.parent)] : fileItem;
        items.push_back(AppendTreeItem(tree, parent, e.text.c_str(), LPARAM(e.line) + 1));
    }
    for (std::size_t k = 0; k < entries.size(); ++k)
        if (entries[k].parent < 0) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[k]));
    if (first) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(fileItem));
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    m_shown[fileItem] = std::move(entries);
}

int OutlineItemLine(HWND tree, HTREEITEM item) { return int(TreeItemParam(tree, item)) - 1; }
