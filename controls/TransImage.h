#pragma once
// A bitmap control whose pure white pixels are not drawn, so the page shows through
// them (the busy indicator's frames are opaque bitmaps on white). The bitmap is set and
// replaced by the owner, copied 1:1 from its top-left corner and never stretched.
#include <QImage>

#include "framework/Controls.h"

// The bitmap with every pure white (255, 255, 255) pixel made fully transparent.
QImage KeyOutWhite(const QImage& bitmap);

// A drop-in for the plain picture control: the same SetImage / ClearImage use.
class CTransImage : public CPicture {
public:
    CTransImage(CDialogEx* owner, int id);

    // The bitmap as drawn (keyed), prepared once per bitmap the owner sets.
    const QImage& KeyedImage() const;

private:
    mutable QImage m_keyed;
    mutable qint64 m_nKeyedFrom = 0;
};
