#include "framework/TextDraw.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace Framework {

namespace {

// Lays the text out the way the controls draw it.
void LayOut(QTextLayout& layout, const QRect& rect, const QFont& font, Qt::Alignment alignment, bool rightToLeft)
{
    QTextOption option(alignment | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    QFontMetricsF latin(font);
    layout.setFont(font);
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
        // Lines follow at the Latin spacing; faces with much taller line metrics (Arabic,
        // Thai) get a little more, not all of it, so wrapped text keeps to its control.
        y += std::max(latin.lineSpacing(), 0.8 * line.height());
    }
    layout.endLayout();
}

QString Shown(const QString& text)
{
    QString shown = text;
    // CR LF keeps the string's length: a line separator and a zero-width space.
    shown.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator) + QChar(0x200B));
    return shown;
}

}  // namespace

void DrawControlText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                     Qt::Alignment alignment, bool rightToLeft)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft);
    painter.setFont(font);
    layout.draw(&painter, rect.topLeft());
}

QPointF TextPositionOf(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, int index)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft);
    QTextLine line = layout.lineForTextPosition(index);
    if (!line.isValid()) line = layout.lineAt(layout.lineCount() - 1);
    if (!line.isValid()) return rect.topLeft();
    qreal x = line.cursorToX(index);
    return QPointF(rect.left() + x, rect.top() + line.y() + line.ascent() - QFontMetricsF(font).ascent());
}

}  // namespace Framework
