#pragma once
// Where the translucent veils sit over the wizard and the shape they have: plain
// geometry, no windows, so that it can be checked on its own.
#include <QRect>
#include <QRegion>

namespace overlay {

// The veil covers the wizard's content panel: 10 pixels in from the window's left
// edge, 58 pixels below the caption bar, 735 x 438 pixels.
constexpr int kVeilLeft = 10;
constexpr int kVeilBelowCaption = 58;
constexpr int kVeilWidth = 735;
constexpr int kVeilHeight = 438;
// A veil over a window too short for it stops this far above the window's bottom edge.
constexpr int kVeilBottomGap = 2;

// The veil's window rectangle in screen pixels. `covered` is the window rectangle of
// the window below (its caption bar included); `captionHeight` the height of the
// caption bar the system reports. With `fitToCovered` the veil is shortened to end
// 2 pixels above the covered window's bottom edge when the full height would pass it
// (the wizard's veil); without it the height stays 438 (the WPS dialog's veil).
QRect VeilWindowRect(const QRect& covered, int captionHeight, bool fitToCovered);

// The veil's window region in window coordinates: the whole width x height rectangle
// without four pixels along each edge at every corner, two in the next row and one in
// the two rows after that: slightly rounded corners.
QRegion VeilWindowRegion(int width, int height);

// The scanning veil's spinner: 34 x 34 pixels at (350, 154) of the client area.
constexpr int kSpinnerX = 350;
constexpr int kSpinnerY = 154;
constexpr int kSpinnerSize = 34;
inline QRect SpinnerRect() { return QRect(kSpinnerX, kSpinnerY, kSpinnerSize, kSpinnerSize); }

// The scanning text's rectangle: exactly as wide and as high as the text, centred on
// the client width, its top 200 pixels below the client area's top.
constexpr int kScanningTextTop = 200;
QRect ScanningTextRect(int clientWidth, int textWidth, int textHeight);

}  // namespace overlay
