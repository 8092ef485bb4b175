#include "core/editor/preview_layout.h"

#include <algorithm>
#include <cstdint>

PreviewLayout LayOutPreview(int areaWidth, int areaHeight, int paperWidth, int paperHeight, int pagesShown, int zoom)
{
    PreviewLayout layout;
    layout.pageCount = pagesShown == 2 ? 2 : 1;
    zoom = std::clamp(zoom, 1, kPreviewMaxZoom);
    paperWidth = std::max(paperWidth, 1);
    paperHeight = std::max(paperHeight, 1);
    const int n = layout.pageCount;
    const std::int64_t fitWidth = std::max(1, (areaWidth - kPreviewGap * (n + 1)) / n);
    const std::int64_t fitHeight = std::max(1, areaHeight - 2 * kPreviewGap);
    // The largest page of the paper's shape inside fitWidth x fitHeight.
    std::int64_t height = fitHeight, width = height * paperWidth / paperHeight;
    if (width > fitWidth) {
        width = fitWidth;
        height = width * paperHeight / paperWidth;
    }
    const int pageWidth = static_cast<int>(std::max<std::int64_t>(1, width * zoom));
    const int pageHeight = static_cast<int>(std::max<std::int64_t>(1, height * zoom));
    layout.canvasWidth = std::max(areaWidth, n * pageWidth + (n + 1) * kPreviewGap);
    layout.canvasHeight = std::max(areaHeight, pageHeight + 2 * kPreviewGap);
    const int used = n * pageWidth + (n - 1) * kPreviewGap;
    int left = (layout.canvasWidth - used) / 2;
    for (int i = 0; i < n; ++i, left += pageWidth + kPreviewGap)
        layout.pages[i] = {left, kPreviewGap, left + pageWidth, kPreviewGap + pageHeight};
    return layout;
}
