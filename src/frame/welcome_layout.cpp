#include "frame/welcome_layout.h"
#include <cstring>

using halyard::app::BlockKind;
using halyard::app::HtmlBlock;
using halyard::app::HtmlRun;

namespace {
const int kMargin = 20;
const int kListIndent = 28;
const COLORREF kTextColour = RGB(0x22, 0x22, 0x33);
const COLORREF kLinkColour = RGB(0x00, 0x33, 0xCC);

HFONT MakeFont(int height, int weight, bool fixed)
{
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, (fixed ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS),
                       nullptr);
}

int LineHeight(HDC dc, HFONT font)
{
    FxSelectObject select(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return tm.tmHeight + tm.tmExternalLeading + 4;
}

int TextWidth(HDC dc, const char* text, size_t length)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(length), &size);
    return size.cx;
}

// The length of the token at text[i]: a line break, a run of spaces, one double-byte character,
// or a word of single-byte characters.
size_t TokenLength(const std::string& text, size_t i)
{
    auto lead = [&](size_t k) { return static_cast<unsigned char>(text[k]) >= 0x81 && k + 1 < text.size(); };
    if (text[i] == '\n') return 1;
    size_t k = i;
    if (text[i] == ' ') {
        while (k < text.size() && text[k] == ' ') ++k;
        return k - i;
    }
    if (lead(i)) return 2;
    while (k < text.size() && text[k] != ' ' && text[k] != '\n' && !lead(k)) ++k;
    return k - i;
}

// Fills the lines of one block from `left` to `right`, starting at `y`; returns the y below it.
class BlockPlacer {
public:
    BlockPlacer(HDC dc, WelcomeLayout& layout, int left, int right, int y, int lineHeight)
        : m_dc(dc), m_layout(layout), m_left(left), m_right(right), m_x(left), m_y(y), m_lineHeight(lineHeight)
    {
    }

    void Place(const HtmlRun& run, HFONT font, bool wrap)
    {
        FxSelectObject select(m_dc, font);
        m_last = kNone;
        for (size_t i = 0; i < run.text.size();) {
            size_t n = TokenLength(run.text, i);
            const char* token = run.text.c_str() + i;
            i += n;
            if (*token == '\n') {
                NewLine();
                continue;
            }
            bool spaces = *token == ' ';
            if (spaces && m_x == m_left && wrap) continue;  // a wrapped line starts with text
            int w = TextWidth(m_dc, token, n);
            if (wrap && !spaces && m_x > m_left && m_x + w > m_right) NewLine();
            Add(std::string(token, n), w, font, run.link);
        }
    }

    int Finish() { return m_y + m_lineHeight; }

private:
    void NewLine()
    {
        m_x = m_left;
        m_y += m_lineHeight;
        m_last = kNone;
    }

    void Add(const std::string& text, int width, HFONT font, const std::string& link)
    {
        if (m_last != kNone) {
            WelcomePiece& last = m_layout.pieces[m_last];
            last.text += text;
            last.rc.right += width;
        } else {
            m_layout.pieces.push_back({text, RECT{m_x, m_y, m_x + width, m_y + m_lineHeight}, font, link});
            m_last = m_layout.pieces.size() - 1;
        }
        m_x += width;
    }

    HDC m_dc;
    WelcomeLayout& m_layout;
    int m_left, m_right, m_x, m_y, m_lineHeight;
    static constexpr size_t kNone = size_t(-1);
    size_t m_last = kNone;  // index of the piece that this run's text on this line extends
};
}  // namespace

WelcomeFonts::WelcomeFonts()
    : body(MakeFont(16, FW_NORMAL, false)), bold(MakeFont(16, FW_BOLD, false)), mono(MakeFont(15, FW_NORMAL, true)),
      heading1(MakeFont(28, FW_BOLD, false)), heading2(MakeFont(22, FW_BOLD, false)), heading3(MakeFont(18, FW_BOLD, false))
{
}

HFONT WelcomeFonts::ForRun(const HtmlBlock& block, const HtmlRun& run) const
{
    if (block.kind == BlockKind::Heading) return (block.level <= 1 ? heading1 : block.level == 2 ? heading2 : heading3).Get();
    if (block.kind == BlockKind::Preformatted) return mono.Get();
    return (run.bold ? bold : body).Get();
}

WelcomeLayout LayOutWelcomePage(HDC dc, const std::vector<HtmlBlock>& blocks, int width, const WelcomeFonts& fonts)
{
    WelcomeLayout layout;
    int y = kMargin;
    for (const HtmlBlock& block : blocks) {
        HFONT base = fonts.ForRun(block, HtmlRun{});
        int lineHeight = LineHeight(dc, base);
        bool heading = block.kind == BlockKind::Heading;
        bool item = block.kind == BlockKind::ListItem;
        bool pre = block.kind == BlockKind::Preformatted;
        if (heading && y > kMargin) y += lineHeight / 2;
        int left = kMargin + (item || pre ? kListIndent : 0);
        if (item) {
            FxSelectObject select(dc, base);
            const char* bullet = "·";
            int w = TextWidth(dc, bullet, strlen(bullet));
            layout.pieces.push_back({bullet, RECT{left - w - 8, y, left - 8, y + lineHeight}, base, ""});
        }
        BlockPlacer placer(dc, layout, left, width > left + kMargin ? width - kMargin : left + 1, y, lineHeight);
        for (const HtmlRun& run : block.runs) placer.Place(run, fonts.ForRun(block, run), !pre);
        y = placer.Finish() + (item ? 2 : heading ? lineHeight / 4 : 10);
    }
    layout.height = y + kMargin;
    return layout;
}

void DrawWelcomePage(HDC dc, const WelcomeLayout& layout, int top, const RECT& clip,
                     void (*drawn)(const std::string& text))
{
    SetBkMode(dc, TRANSPARENT);
    for (const WelcomePiece& piece : layout.pieces) {
        RECT rc = piece.rc;
        OffsetRect(&rc, 0, -top);
        RECT meet;
        if (!IntersectRect(&meet, &rc, &clip)) continue;
        FxSelectObject select(dc, piece.font);
        SetTextColor(dc, piece.link.empty() ? kTextColour : kLinkColour);
        ExtTextOutA(dc, rc.left, rc.top + 2, 0, nullptr, piece.text.c_str(), static_cast<UINT>(piece.text.size()), nullptr);
        if (!piece.link.empty()) {
            FxPen pen(CreatePen(PS_SOLID, 1, kLinkColour));
            FxSelectObject usePen(dc, pen.Get());
            MoveToEx(dc, rc.left, rc.bottom - 3, nullptr);
            LineTo(dc, rc.right, rc.bottom - 3);
        }
        if (drawn) drawn(piece.text);
    }
}

const WelcomePiece* WelcomePieceAt(const WelcomeLayout& layout, int top, POINT pt)
{
    pt.y += top;
    for (const WelcomePiece& piece : layout.pieces)
        if (PtInRect(&piece.rc, pt)) return &piece;
    return nullptr;
}
