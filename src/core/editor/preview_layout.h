#pragma once
// Where print preview shows its pages: one page, or two side by side, scaled to fit the area with
// a gap around each, then enlarged by the zoom factor. Coordinates are those of a canvas that
// scrolls under the area when it is larger.
#include "core/editor/print_pages.h"

inline constexpr int kPreviewGap = 16;  // pixels around and between the pages
inline constexpr int kPreviewMaxZoom = 3;

struct PreviewLayout {
    int canvasWidth = 0, canvasHeight = 0;  // never smaller than the area
    int pageCount = 1;                      // pages shown: 1 or 2
    PrintRect pages[2];
};

// paperWidth and paperHeight give the page's shape (device units); zoom 1 fits the pages into the
// area, 2 and up enlarge them (clamped to 1..kPreviewMaxZoom). Pages keep the paper's shape and
// are at least one pixel each way; the pages are centred in a canvas wider than they need.
PreviewLayout LayOutPreview(int areaWidth, int areaHeight, int paperWidth, int paperHeight, int pagesShown, int zoom);
