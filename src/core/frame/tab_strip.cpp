#include "core/frame/tab_strip.h"

#include <algorithm>
#include <numeric>

#include "core/editor/char_steps.h"

namespace halyard::tabs {

Rect Normalised(Rect rc)
{
    rc.right = std::max(rc.right, rc.left);
    rc.bottom = std::max(rc.bottom, rc.top);
    return rc;
}

unsigned StyleFromCreateStyle(unsigned createStyle)
{
    const unsigned bits = createStyle & kStyleMask;
    return bits == 0 ? kStyleTop : bits;
}

PageTabGeometry PageTabLayout(const Rect& client, unsigned style, int border)
{
    const int frameWidth = border + 1;
    const bool bottom = TabsAtBottom(style);
    PageTabGeometry g;
    g.frame = {client.left + kOuterEdge, client.top + (bottom ? kOuterEdge : kStripHeight),
               client.right - kOuterEdge, client.bottom - (bottom ? kStripHeight : kOuterEdge)};
    g.pages = Normalised({g.frame.left + frameWidth, g.frame.top + frameWidth, g.frame.right - frameWidth,
                          g.frame.bottom - frameWidth});
    g.frame = Normalised(g.frame);
    if (bottom)
        g.strip = Normalised({client.left + 6, client.bottom - kStripHeight, client.right - 6, client.bottom - 1});
    else
        g.strip = Normalised({client.left + 2, client.top, client.right - 6, client.top + kStripHeight});
    return g;
}

int NaturalTabWidth(int textWidth, bool hasIcon) { return textWidth + kTabPadding + (hasIcon ? kIconRoom : 0); }

int TitleRoom(int tabWidth, bool hasIcon) { return std::max(0, tabWidth - kTabPadding - (hasIcon ? kIconRoom : 0)); }

std::vector<int> TabWidths(const std::vector<int>& natural, int stripWidth, bool equalWidth)
{
    std::vector<int> widths(natural.size());
    if (natural.empty()) return widths;
    const int share = std::max(0, stripWidth) / static_cast<int>(natural.size());
    const long long total = std::accumulate(natural.begin(), natural.end(), 0LL);
    for (size_t i = 0; i < natural.size(); ++i) {
        const int own = std::max(0, natural[i]);
        if (equalWidth) widths[i] = share;
        else widths[i] = total > stripWidth ? std::min(own, share) : own;
    }
    return widths;
}

std::vector<Rect> PlaceTabs(const Rect& strip, const std::vector<int>& widths)
{
    std::vector<Rect> tabs;
    tabs.reserve(widths.size());
    int x = strip.left;
    for (int w : widths) {
        tabs.push_back(Normalised({x, strip.top, x + w, strip.bottom}));
        x = tabs.back().right;
    }
    return tabs;
}

int HitTest(const std::vector<Rect>& tabs, int x, int y)
{
    for (size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i].Contains(x, y)) return static_cast<int>(i);
    return -1;
}

std::string ShortenTitle(std::string_view title, int room, const MeasureText& measure)
{
    if (measure(title) <= room) return std::string(title);
    // Character boundaries are fixed from the start: a trail byte may look like an ASCII letter.
    std::vector<int> ends;
    const int length = static_cast<int>(title.size());
    for (int pos = 0; pos < length; pos = std::min(length, NextCharPos(title, pos))) ends.push_back(pos);
    std::string candidate;
    for (auto it = ends.rbegin(); it != ends.rend(); ++it) {
        candidate.assign(title.substr(0, static_cast<size_t>(*it)));
        candidate += kEllipsis;
        if (measure(candidate) <= room) return candidate;
    }
    return kEllipsis;
}

Rect InsetDisplay(const Rect& display, int margin)
{
    Rect rc = Normalised(display);
    if (rc.Width() > 2 * margin) {
        rc.left += margin;
        rc.right -= margin;
    }
    if (rc.Height() > 2 * margin) {
        rc.top += margin;
        rc.bottom -= margin;
    }
    return rc;
}

} // namespace halyard::tabs
