#pragma once
// An off-screen drawing context for one paint pass: everything drawn into it lands in
// a bitmap of its own, which is copied to the target in one block when the context
// goes out of scope, so the screen never shows a half-painted control.
//
//   void Paint(QPainter& painter) {
//       CMemDrawDC dc(painter, rect());   // or QRect(): the painter's clip box
//       dc.drawImage(0, 0, background);   // the same coordinates as on the target
//       ...
//   }                                     // copied to the painter here
//
// The bitmap starts fully transparent; the caller paints every pixel it covers, and
// the copy replaces the target's pixels there as they are (nothing is blended).
#include <QImage>
#include <QPainter>
#include <QRect>

class CMemDrawDC : public QPainter {
public:
    // rect: the area covered, in the target's logical coordinates; an all-zero
    // rectangle means the target's clip box (the whole device when it has no clip).
    CMemDrawDC(QPainter& target, const QRect& rect);
    ~CMemDrawDC();
    CMemDrawDC(const CMemDrawDC&) = delete;
    CMemDrawDC& operator=(const CMemDrawDC&) = delete;

    const QRect& Rect() const { return m_rect; }
    // The off-screen bitmap (its top-left pixel is the rectangle's top-left).
    const QImage& Bitmap() const { return m_bitmap; }

    // The target's clip box in its logical coordinates.
    static QRect ClipBox(const QPainter& target);

private:
    QPainter& m_target;
    QRect m_rect;
    QImage m_bitmap;
};
