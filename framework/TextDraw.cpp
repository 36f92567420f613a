#include "framework/TextDraw.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

namespace Framework {

namespace {

// Lays the text out the way the controls draw it.
void LayOut(QTextLayout& layout, const QRect& rect, const QFont& font, Qt::Alignment alignment, bool rightToLeft,
            QTextOption::WrapMode wrap)
{
    QTextOption option(alignment | Qt::AlignAbsolute);
    option.setWrapMode(wrap);
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
                     Qt::Alignment alignment, bool rightToLeft, QTextOption::WrapMode wrap)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft, wrap);
    painter.setFont(font);
    layout.draw(&painter, rect.topLeft());
}

QPointF TextPositionOf(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, int index, QTextOption::WrapMode wrap)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft, wrap);
    QTextLine line = layout.lineForTextPosition(index);
    if (!line.isValid()) line = layout.lineAt(layout.lineCount() - 1);
    if (!line.isValid()) return rect.topLeft();
    qreal x = line.cursorToX(index);
    return QPointF(rect.left() + x, rect.top() + line.y() + line.ascent() - QFontMetricsF(font).ascent());
}

QRectF DrawnTextBounds(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, QTextOption::WrapMode wrap)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft, wrap);
    QRectF ink;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont face = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < at.size(); ++i) {
            const QRectF box = face.boundingRect(glyphs[i]);
            if (!box.isEmpty()) ink = ink.united(box.translated(at[i]));
        }
    }
    return ink.translated(rect.topLeft());
}

}  // namespace Framework
