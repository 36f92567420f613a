#include "controls/OverlayGeometry.h"

#include <algorithm>

namespace overlay {

QRect VeilWindowRect(const QRect& covered, int captionHeight, bool fitToCovered)
{
    // Window rectangles end where the next window could begin: bottom = top + height.
    const int coveredBottom = covered.y() + covered.height();
    const int x = covered.x() + kVeilLeft;
    const int y = covered.y() + captionHeight + kVeilBelowCaption;
    int height = kVeilHeight;
    if (fitToCovered && coveredBottom < y + kVeilHeight) height = std::max(0, coveredBottom - y - kVeilBottomGap);
    return QRect(x, y, kVeilWidth, height);
}

QRegion VeilWindowRegion(int width, int height)
{
    QRegion region(0, 0, width, height);
    if (width <= 0 || height <= 0) return region;
    // The cut at the top-left corner, row by row: (first column, number of pixels).
    struct Run {
        int row;
        int length;
    };
    constexpr Run kCorner[] = {{0, 4}, {1, 2}, {2, 1}, {3, 1}};
    for (const Run& run : kCorner) {
        const int top = run.row;
        const int bottom = height - 1 - run.row;
        const int right = width - run.length;
        region -= QRegion(0, top, run.length, 1);
        region -= QRegion(right, top, run.length, 1);
        region -= QRegion(0, bottom, run.length, 1);
        region -= QRegion(right, bottom, run.length, 1);
    }
    return region;
}

QRect ScanningTextRect(int clientWidth, int textWidth, int textHeight)
{
    return QRect((clientWidth - textWidth) / 2, kScanningTextTop, textWidth, textHeight);
}

}  // namespace overlay
