#include "framework/TextDraw.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace Framework {

void DrawControlText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                     Qt::Alignment alignment, bool rightToLeft)
{
    QTextOption option(alignment | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    QFontMetricsF latin(font);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    QTextLayout layout(shown, font);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    bool first = true;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(rect.width());
        if (first) {
            y = latin.ascent() - line.ascent();
            first = false;
        }
        line.setPosition(QPointF(0, y));
        y += std::max(line.height(), latin.lineSpacing());
    }
    layout.endLayout();
    painter.setFont(font);
    layout.draw(&painter, rect.topLeft());
}

}  // namespace Framework
