#include "controls/SingleLineText.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace Controls {

void DrawSingleLineText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                        Qt::Alignment alignment, bool rightToLeft)
{
    if (text.isEmpty()) return;
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTextOption option((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    QTextLayout layout(shown, font, painter.device());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setLineWidth(rect.width());
    const QFontMetricsF latin(font, painter.device());
    const qreal baseline = (rect.height() - (latin.ascent() + latin.descent())) / 2 + latin.ascent();
    line.setPosition(QPointF(0, baseline - line.ascent()));
    layout.endLayout();
    layout.draw(&painter, rect.topLeft());
}

QString StripMnemonics(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace Controls
