// The view of an assembly source: coloured by the assembly classifier, in the document's font,
// with the Edit menu as its context menu and a wheel that scrolls five lines a notch. F12 goes to
// the definition of the name at the caret; the status bar explains the keyword at the caret.
#pragma once
#include <memory>

#include "asm/caret_word_status.h"
#include "editor/text_edit_view.h"

class CGotoDefinition;

class ColourScheme;
class FxMDIFrame;

class CHalyardView : public CTextEditView {
public:
    CHalyardView();
    ~CHalyardView() override;
    // Takes the document's font, then attaches to the document's buffer.
    void OnInitialUpdate() override;
    // The text buffer of its CHalyardDoc; null for any other document.
    CTextBuffer* LocateBuffer() override;
    LineState ClassifyLine(LineState entering, int nLine, ColourRun* pRuns, int& nRuns, int nCapacity) override;
    // The colours of `pScheme`, whose window list the view joins (leaving the previous one's), so
    // that a theme change repaints it; null gives the built-in Normal colours.
    void AttachColourScheme(ColourScheme* pScheme);
    ColourScheme* GetColourScheme() const { return m_pColourScheme; }
    COLORREF ColourOf(int nColourIndex) const override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // At a screen point; (-1, -1) (the keyboard's menu key) opens it at the caret.
    void OnContextMenu(POINT pt);
    void UpdateMenu(HMENU menu);
    void RunCommand(UINT id);
    FxMDIFrame* MainFrame() const;
    void ExplainWordAtCaret();

    ColourScheme* m_pColourScheme = nullptr;
    std::unique_ptr<CGotoDefinition> m_pGotoDefinition;
    CCaretWordStatus m_caretWord;
};
