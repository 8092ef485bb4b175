// The Output pane's edit control: read-only, no text limit, appended at the end.
#pragma once
#include "asm/control_colours.h"
#include "fx/fx_wnd.h"
#include <functional>
#include <string>
#include <vector>

class ColourScheme;

class COutputEdit : public FxWnd {
public:
    [[nodiscard]] bool Create(HWND parent, UINT id);
    // Appends `text`: the selection goes to the end, the caret is scrolled into view and the
    // empty selection is replaced.
    void Append(const char* text);
    void SetText(const char* text) { SetWindowTextA(m_hWnd, text); }
    std::string GetText() const;
    // Leaves the previous scheme and registers with `scheme`, which repaints it on a theme change.
    void AttachScheme(ColourScheme* scheme);
    // Hears of the line (0-based, of the text's lines) of each double-click, after the edit has
    // selected its word.
    void SetLineChosenHandler(std::function<void(int)> handler) { m_onLineChosen = std::move(handler); }

    // The text's lines as read at one moment. The edit wraps long lines, and its own line
    // messages count the wrapped rows; these are the lines between the text's CR LFs.
    struct Lines {
        std::vector<std::string> text;  // each line without its line end
        std::vector<int> firstRow;      // the edit's row where each line starts
    };
    Lines ReadLines() const;
    // Selects line `line` whole (its line end not included) and scrolls it into view.
    void SelectLine(const Lines& lines, int line);
    // The line whose whole text is selected, or -1 when the selection is anything else.
    int GetSelectedLine(const Lines& lines) const;
    // The line of the caret, or -1 when the caret is at the end of the text (where output lands).
    int GetCaretLine(const Lines& lines) const;

protected:
    // Background slot 1 and text slot 2 of the scheme; the default colours without one.
    HBRUSH OnReflectCtlColor(HDC dc) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    ColourScheme* m_pScheme = nullptr;
    SchemeControlColours m_colours;
    std::function<void(int)> m_onLineChosen;
};
