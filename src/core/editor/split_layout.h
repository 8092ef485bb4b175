#pragma once
// One axis of a window split into panes: a single pane, or two panes separated by a bar. Extents
// are in pixels along the axis; `total` is the room for the panes and the bar.
struct SplitAxis {
    int panes = 1; // 1 or 2
    int first = 0; // extent of the first pane while there are two
};

struct PaneExtents {
    int start[2];
    int size[2]; // size[1] is 0 with one pane
};

// Where the panes lie: with two, the first keeps its extent as far as the room allows and the
// second takes the rest after the bar; no extent is ever negative.
PaneExtents LayOutAxis(const SplitAxis& axis, int total, int bar);

// Splitting at pos (the first pane's extent): only when both panes get at least minPane.
bool SplitAxisAt(SplitAxis& axis, int pos, int total, int bar, int minPane);

// Dropping the bar at pos: a pane that would be left smaller than minPane is closed instead.
enum class BarDrop { Moved, CloseFirst, CloseSecond };
BarDrop DropBar(SplitAxis& axis, int pos, int total, int bar, int minPane);
