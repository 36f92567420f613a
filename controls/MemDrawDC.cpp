#include "controls/MemDrawDC.h"

#include <QPaintDevice>

#include <cmath>

QRect CMemDrawDC::ClipBox(const QPainter& target)
{
    const QPaintDevice* device = target.device();
    if (!device) return QRect();
    // Widgets count in logical pixels already; images and pixmaps in device pixels.
    QSizeF size(device->width(), device->height());
    if (device->devType() != QInternal::Widget) size /= device->devicePixelRatioF();
    QRectF box = target.worldTransform().inverted().mapRect(QRectF(QPointF(0, 0), size));
    if (target.hasClipping()) box = box.intersected(target.clipBoundingRect());
    return box.toAlignedRect();
}

CMemDrawDC::CMemDrawDC(QPainter& target, const QRect& rect) : m_target(target)
{
    m_rect = rect == QRect() ? ClipBox(target) : rect;
    const QPaintDevice* device = target.device();
    const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
    const QSize pixels(static_cast<int>(std::ceil(m_rect.width() * ratio)),
                       static_cast<int>(std::ceil(m_rect.height() * ratio)));
    m_bitmap = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    m_bitmap.setDevicePixelRatio(ratio);
    m_bitmap.fill(Qt::transparent);
    begin(&m_bitmap);
    // Callers draw in the target's coordinates.
    translate(-m_rect.left(), -m_rect.top());
}

CMemDrawDC::~CMemDrawDC()
{
    end();
    if (m_rect.isEmpty()) return;
    m_target.save();
    m_target.setCompositionMode(QPainter::CompositionMode_Source);
    m_target.drawImage(m_rect, m_bitmap);
    m_target.restore();
}
