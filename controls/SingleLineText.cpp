#include "controls/SingleLineText.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace Controls {

namespace {

// Lays the line out where DrawSingleLineText puts it; false for an empty text.
bool LayOutLine(QTextLayout& layout, const QRect& rect, const QString& text, const QFont& font,
                Qt::Alignment alignment, bool rightToLeft, QPaintDevice* device)
{
    if (text.isEmpty()) return false;
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QTextOption option((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setText(shown);
    layout.setFont(font);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return false;
    }
    line.setLineWidth(rect.width());
    const QFontMetricsF latin(font, device);
    const qreal baseline = (rect.height() - (latin.ascent() + latin.descent())) / 2 + latin.ascent();
    line.setPosition(QPointF(0, baseline - line.ascent()));
    layout.endLayout();
    return true;
}

}  // namespace

void DrawSingleLineText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                        Qt::Alignment alignment, bool rightToLeft)
{
    QTextLayout layout(QString(), font, painter.device());
    if (LayOutLine(layout, rect, text, font, alignment, rightToLeft, painter.device()))
        layout.draw(&painter, rect.topLeft());
}

Framework::TextInk SingleLineTextInk(const QRect& rect, const QString& text, const QFont& font,
                                     Qt::Alignment alignment, bool rightToLeft)
{
    QTextLayout layout;
    if (!LayOutLine(layout, rect, text, font, alignment, rightToLeft, nullptr)) return {};
    Framework::TextInk ink = Framework::InkOf(layout);
    for (QRectF& piece : ink.pieces) piece.translate(rect.topLeft());
    ink.bounds.translate(rect.topLeft());
    return ink;
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
