// Places the blocks of a page on lines of a given width, and draws them.
#pragma once
#include "core/app/html_page.h"
#include "fx/fx_handles.h"
#include <string>
#include <vector>

// The page's fonts, made once per view: GB2312 character set so that Chinese text has glyphs.
struct WelcomeFonts {
    WelcomeFonts();
    FxFont body, bold, mono, heading1, heading2, heading3;
    HFONT ForRun(const halyard::app::HtmlBlock& block, const halyard::app::HtmlRun& run) const;
};

struct WelcomePiece {
    std::string text;  // one line's share of one run; never empty
    RECT rc;           // page coordinates: y grows from the top of the page, not of the window
    HFONT font;
    std::string link;
};

struct WelcomeLayout {
    std::vector<WelcomePiece> pieces;  // in reading order
    int height = 0;                     // the page's whole height, bottom margin included
};

// Lines break between words, at every Chinese character and at "\n"; preformatted lines never
// break. A word wider than the whole line goes on a line of its own and is clipped.
WelcomeLayout LayOutWelcomePage(HDC dc, const std::vector<halyard::app::HtmlBlock>& blocks, int width,
                                const WelcomeFonts& fonts);

// Draws the pieces that meet `clip` (window coordinates) with the page scrolled by `top` pixels;
// each piece drawn is also handed to `drawn` when it is set.
void DrawWelcomePage(HDC dc, const WelcomeLayout& layout, int top, const RECT& clip,
                     void (*drawn)(const std::string& text));

// The piece under a window point, or null.
const WelcomePiece* WelcomePieceAt(const WelcomeLayout& layout, int top, POINT pt);
