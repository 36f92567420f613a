#include "controls/GDIPlus2LoadPNGResource.h"

#include <QFile>
#include <QPainter>

#include <map>
#include <mutex>

#include "controls/Pictures.h"

CGDIPlus2LoadPNGResource::~CGDIPlus2LoadPNGResource() { Empty(); }

namespace {

// Pictures decoded so far, by resource ID, premultiplied: that is the form every later
// blend wants. Many buttons share their faces, so each picture is decoded once.
QImage DecodedPicture(int resourceId)
{
    static std::mutex mutex;
    static std::map<int, QImage> decoded;
    std::lock_guard lock(mutex);
    auto it = decoded.find(resourceId);
    if (it != decoded.end()) return it->second;
    QImage picture = LoadPngResource(resourceId);
    if (!picture.isNull()) picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    decoded.emplace(resourceId, picture);
    return picture;
}

}  // namespace

bool CGDIPlus2LoadPNGResource::Load(int resourceId)
{
    Empty();
    // The picture is decoded when it is first drawn or asked for: most faces of most
    // buttons are never shown.
    if (resourceId <= 0 || !QFile::exists(QStringLiteral(":/png/%1.png").arg(resourceId))) return false;
    m_nResourceId = resourceId;
    return true;
}

void CGDIPlus2LoadPNGResource::Empty()
{
    m_bitmap = QImage();
    m_nResourceId = 0;
    m_bDecoded = false;
}

const QImage& CGDIPlus2LoadPNGResource::Picture() const
{
    if (!m_bDecoded && m_nResourceId) {
        m_bitmap = DecodedPicture(m_nResourceId);
        m_bDecoded = true;
    }
    return m_bitmap;
}

void CGDIPlus2LoadPNGResource::Draw(QPainter& dc, int x, int y) const
{
    const QImage& bitmap = Picture();
    if (bitmap.isNull()) return;
    dc.drawImage(QRect(x, y, bitmap.width(), bitmap.height()), bitmap, bitmap.rect());
}

QImage CGDIPlus2LoadPNGResource::CreateBitmap(QRgb background) const
{
    const QImage& bitmap = Picture();
    if (bitmap.isNull()) return QImage();
    QImage out(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(QColor::fromRgba(background));
    QPainter p(&out);
    p.drawImage(0, 0, bitmap);
    return out;
}
