#include "controls/GDIPlus2LoadPNGResource.h"

#include <QPainter>

#include "controls/Pictures.h"

CGDIPlus2LoadPNGResource::~CGDIPlus2LoadPNGResource() { Empty(); }

bool CGDIPlus2LoadPNGResource::Load(int resourceId)
{
    Empty();
    QImage decoded = LoadPngResource(resourceId);
    if (decoded.isNull()) return false;
    // Kept premultiplied: that is the form every later blend wants.
    m_bitmap = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_nResourceId = resourceId;
    return true;
}

void CGDIPlus2LoadPNGResource::Empty()
{
    m_bitmap = QImage();
    m_nResourceId = 0;
}

void CGDIPlus2LoadPNGResource::Draw(QPainter& dc, int x, int y) const
{
    if (m_bitmap.isNull()) return;
    dc.drawImage(QRect(x, y, m_bitmap.width(), m_bitmap.height()), m_bitmap, m_bitmap.rect());
}

QImage CGDIPlus2LoadPNGResource::CreateBitmap(QRgb background) const
{
    if (m_bitmap.isNull()) return QImage();
    QImage out(m_bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(QColor::fromRgba(background));
    QPainter p(&out);
    p.drawImage(0, 0, m_bitmap);
    return out;
}
