#pragma once
// Where the main frame's docked bars, the dividers between them and the MDI area go, and how far a
// dragged edge may move. Pixels; screen and client coordinates grow to the right and downwards.
#include <vector>

namespace halyard::dock {

enum class Side { Top, Bottom, Left, Right };

struct Size {
    int cx = 0;
    int cy = 0;
};

// Half-open: the right and bottom lines lie outside. A rectangle produced here is never inverted.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// Room kept between two neighbours of one row; the same width as the sizing edge of a pane.
inline constexpr int kDividerWidth = 5;
// The MDI area is never made narrower or lower than this while bars can still give way.
inline constexpr int kMinClientExtent = 2;
inline constexpr Size kMinDocked{33, 32};
inline constexpr Size kMinFloating{37, 32};

inline bool IsHorizontal(Side side) { return side == Side::Top || side == Side::Bottom; }

// One bar as the frame describes it. The stored sizes are width x height in each state: docked at
// the top or bottom (`horz`: width is the length along the row, height the thickness), docked at
// the left or right (`vert`: height is the length, width the thickness), and floating.
struct Bar {
    Side side = Side::Top;
    // Rows of one side are stacked from the frame's edge inwards in increasing row order; bars of
    // one side and row share a row in the order they are given. Rows with equal numbers (a fixed
    // bar's and a shared one) follow the order of their first bars in the list.
    int row = 0;
    bool visible = true;
    bool floating = false;
    // Toolbars, status bar and mode bar: always a row of their own spanning the whole side at the
    // thickness of the current orientation; never thinned, and their length is ignored.
    bool fixed = false;
    Size horz{200, 200}, vert{200, 200}, floatSize{200, 200};
    Size minHorz = kMinDocked, minVert = kMinDocked, minFloat = kMinFloating;
};

// The stored size of the bar's current state (its side's orientation, or floating), never below
// that state's minimum; a fixed bar's as stored.
Size CurrentSize(const Bar& bar);

struct Row {
    Side side = Side::Top;
    bool fixed = false;
    std::vector<int> bars; // indices into the frame's bar list, in order along the row
    Rect rect;             // the band of the whole row, bars and dividers
};

struct Divider {
    Rect rect;      // kDividerWidth along the row, the row's thickness across; empty without room
    int row = 0;    // index into Layout::rows
    int before = 0; // how many bars of the row lie before it (1 to the row's bar count - 1)
};

struct Layout {
    std::vector<Rect> bars; // one per input bar; empty for hidden and floating bars
    std::vector<Row> rows;  // top rows outward to inward, then bottom, left, right
    std::vector<Divider> dividers;
    Rect mdi;
};

// Top and bottom rows take the full width first, then left and right rows the height between
// them. A row is as thick as its thickest bar; along the row each bar keeps its stored length but
// the last, which takes what is left, and when that would be below its minimum the bars before it,
// nearest first, give up length down to theirs. When the rows would leave the MDI area less than
// kMinClientExtent across, the rows laid out last (bottom before top, right before left, innermost
// first) are thinned, none below its minimum thickness. Only when even the minimums do not fit is
// anything clipped: outer rows and earlier bars keep their room, later ones get what is left, down
// to nothing. Every rectangle lies inside `client`; none overlaps another.
Layout LayOut(const Rect& client, const std::vector<Bar>& bars);

// ---- Tracking a dragged edge ----
// Positions are mouse coordinates along the drag axis: x for a divider in a top or bottom row and
// for the inner edge of a left or right row, y otherwise.

struct RowBar {
    int length = 0;
    int minLength = 0;
    int thickness = 0;
    int minThickness = 0;
};

// lowest <= start <= highest always.
struct Limits {
    int lowest = 0;
    int highest = 0;
    int Clamp(int position) const { return position < lowest ? lowest : position > highest ? highest : position; }
};

// The bars of layout.rows[row] with their laid-out lengths and thickness (not the stored ones,
// which may differ after stretching or thinning).
std::vector<RowBar> TrackingRow(const std::vector<Bar>& bars, const Layout& layout, int row);
// The MDI area's extent across the rows of `side`: its width for left and right rows, else height.
int FreeSpace(const Layout& layout, Side side);

// A divider with `before` bars before it: it may go as far back as those bars can give up
// (length - minimum each) and as far on as the bars after it can. Bars already below their minimum
// give nothing.
Limits DividerLimits(const std::vector<RowBar>& row, int before, int start);
// The inner edge of a row: the row may not get thinner than the largest minimum thickness of its
// bars and may grow until `freeSpace` (the MDI area across) is down to kMinClientExtent. Growing
// is towards higher positions for top and left rows, lower ones for bottom and right rows.
Limits InnerEdgeLimits(Side side, const std::vector<RowBar>& row, int freeSpace, int start);

// Moving a divider by `distance` (new position - old): the bar it moves away from grows, the bars
// on the other side shrink, nearest first, each no further than its minimum. The grown bar gets
// exactly what the others gave, so the row's total length never changes even for an unclamped
// distance.
void MoveDivider(std::vector<RowBar>& row, int before, int distance);
// Moving the inner edge by `distance`: every bar gets the row's thickness grown (top and left rows)
// or shrunk (bottom and right rows) by it, never below 0.
void MoveInnerEdge(Side side, std::vector<RowBar>& row, int distance);

// The docked size to store back into a bar of a row on `side` after tracking (`horz` for top and
// bottom, `vert` for left and right).
Size DockedSize(Side side, const RowBar& bar);

} // namespace halyard::dock
