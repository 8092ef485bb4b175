#pragma once
// Geometry of the two tab components: the page tab control that fills the WorkSpace pane (where its
// pages and tabs go, how wide each tab is, how a title too long for its tab is shortened) and the
// MDI tab bar (where the MDI client goes inside it). Pixels; coordinates grow right and down.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace halyard::tabs {

// Half-open: the right and bottom lines lie outside. A rectangle produced here is never inverted.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// An inverted rectangle collapses onto its left and top edges.
Rect Normalised(Rect rc);

// Style bits of the page tab control: the low four bits of its creation style.
inline constexpr unsigned kStyleTop = 1;
inline constexpr unsigned kStyleBottom = 2;
inline constexpr unsigned kStyleEqualWidth = 4;
inline constexpr unsigned kStyleSliding = 8;
inline constexpr unsigned kStyleMask = 15;

// The style bits of a creation style; none at all means tabs along the top.
unsigned StyleFromCreateStyle(unsigned createStyle);
// Tabs run along the bottom when the bottom bit is set (also with the top bit), else along the top.
inline bool TabsAtBottom(unsigned style) { return (style & kStyleBottom) != 0; }

inline constexpr int kStripHeight = 23; // the band of the tabs, outside the pages' frame
inline constexpr int kOuterEdge = 2;    // room on the three sides without tabs
inline constexpr int kTabInset = 5;     // from a tab's left edge to its icon, or its title without one
inline constexpr int kIconRoom = 18;    // a 16-pixel icon and the gap after it
inline constexpr int kTabPadding = 9;   // both sides of the title together

struct PageTabGeometry {
    Rect pages; // every page window is placed here
    Rect frame; // the pages plus the border: the 3D frame is drawn on its outer lines
    Rect strip; // the tabs are laid out along this band
};

// `border` is the control's border width; the frame is border + 1 pixels wide around the pages.
// A client too small for the margins gives empty rectangles, never inverted ones.
PageTabGeometry PageTabLayout(const Rect& client, unsigned style, int border);

// Title width plus padding, plus the icon's room when the tab shows one.
int NaturalTabWidth(int textWidth, bool hasIcon);
// The width left for the title in a tab of `tabWidth`; never below 0.
int TitleRoom(int tabWidth, bool hasIcon);

// Widths of the tabs along a strip of `stripWidth`. Equal width: every tab gets the strip's width
// divided by their number. Otherwise the natural widths when they fit; when their sum exceeds the
// strip, each tab gets the smaller of its natural width and that equal share, so the sum fits.
std::vector<int> TabWidths(const std::vector<int>& natural, int stripWidth, bool equalWidth);

// One rectangle per width, left to right from the strip's left edge, each beginning where the
// previous one ends, as high as the strip.
std::vector<Rect> PlaceTabs(const Rect& strip, const std::vector<int>& widths);

// Index of the tab containing the point, or -1.
int HitTest(const std::vector<Rect>& tabs, int x, int y);

// Width of a text when drawn (in the tab font).
using MeasureText = std::function<int(std::string_view)>;

inline constexpr char kEllipsis[] = "...";

// `title` unchanged when it fits in `room`; otherwise its longest prefix that still fits with "..."
// appended. Code page 936 text is cut only between characters, so a double-byte character is
// removed whole and never split. When not even "..." fits, the result is "..." alone (the painter
// clips it to the tab).
std::string ShortenTitle(std::string_view title, int room, const MeasureText& measure);

// The MDI tab bar: the MDI client's place inside the tab control's display area, `margin` pixels in
// from each side along each axis on which the area is more than 2 * margin across (else that axis
// is left as it is).
Rect InsetDisplay(const Rect& display, int margin);

} // namespace halyard::tabs
