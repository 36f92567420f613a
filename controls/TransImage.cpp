#include "controls/TransImage.h"

#include <QPainter>

#include "framework/Dialog.h"
#include "framework/TextDraw.h"

QImage KeyOutWhite(const QImage& bitmap)
{
    if (bitmap.isNull()) return QImage();
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) line[x] = 0;
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

namespace {

class TransImageWidget : public QWidget {
public:
    TransImageWidget(QWidget* parent, CTransImage* control) : QWidget(parent), m_control(control) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QImage& keyed = m_control->KeyedImage();
        if (keyed.isNull()) {
            // Without a bitmap it is an ordinary static: its text, if it has one.
            p.setPen(m_control->TextColor());
            Framework::DrawControlText(p, rect(), ToQ(m_control->GetWindowTextW()), m_control->GetFont(),
                                       Qt::AlignLeft | Qt::AlignTop, false);
            return;
        }
        // 1:1 from the top-left corner over the client area, no stretching.
        QRect area = rect().intersected(keyed.rect());
        p.drawImage(area.topLeft(), keyed, area);
    }

private:
    CTransImage* m_control;
};

}  // namespace

CTransImage::CTransImage(CDialogEx* owner, int id) : CPicture(owner, id)
{
    // The picture control's own widget gives way to one that keys out white.
    delete m_pWidget;
    m_pWidget = new TransImageWidget(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    m_pWidget->hide();
}

const QImage& CTransImage::KeyedImage() const
{
    const QImage& bitmap = Image();
    if (bitmap.isNull()) {
        m_keyed = QImage();
        m_nKeyedFrom = 0;
    } else if (bitmap.cacheKey() != m_nKeyedFrom) {
        m_keyed = KeyOutWhite(bitmap);
        m_nKeyedFrom = bitmap.cacheKey();
    }
    return m_keyed;
}
