#include "asm/goto_definition.h"

#include <string>

#include "core/asm/asm_symbols.h"
#include "editor/view_site.h"
#include "fx/fx_app.h"
#include "resource.h"

CGotoDefinition::CGotoDefinition(CViewSite& view, std::function<void(const char*)> say)
    : m_view(view), m_say(std::move(say))
{
    OnCommand(ID_EDIT_GOTO_DEFINITION, [this] { (void)GoToDefinition(); });
}

bool CGotoDefinition::GoToDefinition()
{
    const CTextBuffer* buffer = m_view.GetBuffer();
    const TextPosition caret = m_view.GetCaret();
    if (!buffer || caret.y < 0 || caret.y >= buffer->GetLineCount()) return false;
    int start = 0, end = 0;
    NameBoundsAt(buffer->GetLine(caret.y), caret.x, start, end);
    const std::string name(buffer->GetLine(caret.y).substr(std::size_t(start), std::size_t(end - start)));
    const std::vector<AsmSymbol> symbols = IndexSymbols(*buffer);
    const int found = name.empty() ? -1 : FindSymbol(symbols, name, caret.y);
    if (found < 0) {
        MessageBeep(MB_OK);
        m_say(name.empty() ? FxLoadString(IDS_NO_NAME_AT_CARET).c_str()
                           : FxFormatString(IDS_NO_DEFINITION, name.c_str()).c_str());
        return false;
    }
    const AsmSymbol& symbol = symbols[std::size_t(found)];
    m_view.SelectFound(TextPosition{symbol.column, symbol.line}, int(symbol.name.size()));
    return true;
}
