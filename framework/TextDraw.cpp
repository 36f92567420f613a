#include "framework/TextDraw.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "framework/Fonts.h"

namespace Framework {

namespace {

// Lays the text out the way the controls draw it.
void LayOut(QTextLayout& layout, const QRect& rect, const QFont& font, Qt::Alignment alignment, bool rightToLeft,
            QTextOption::WrapMode wrap, int headroom)
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
    bool lowerFirst = true;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(rect.width());
        if (first) {
            y = latin.ascent() - line.ascent();
            first = false;
        }
        line.setPosition(QPointF(0, y));
        if (lowerFirst) {
            // Marks that rise above the control's top (Thai tone marks, stacked
            // Vietnamese accents) lower the text just enough to keep them.
            qreal top = 0;
            for (const QGlyphRun& run : line.glyphRuns()) {
                const QRawFont face = run.rawFont();
                const QList<quint32> glyphs = run.glyphIndexes();
                const QList<QPointF> at = run.positions();
                for (qsizetype i = 0; i < glyphs.size() && i < at.size(); ++i)
                    top = std::min(top, face.boundingRect(glyphs[i]).translated(at[i]).top());
            }
            if (top < -headroom) {
                y -= std::floor(top + headroom);
                line.setPosition(QPointF(0, y));
            }
            lowerFirst = false;
        }
        // A glyph that hangs out over the left or right edge (a negative side bearing)
        // moves its line in by the overhang.
        qreal left = 0, right = 0;
        bool inked = false;
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QRawFont face = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> at = run.positions();
            for (qsizetype i = 0; i < glyphs.size() && i < at.size(); ++i) {
                const QRectF box = face.boundingRect(glyphs[i]).translated(at[i]);
                if (box.isEmpty()) continue;
                left = inked ? std::min(left, box.left()) : box.left();
                right = inked ? std::max(right, box.right()) : box.right();
                inked = true;
            }
        }
        if (inked && left < 0) line.setPosition(QPointF(-left, y));
        else if (inked && right > rect.width() && left - (right - rect.width()) >= 0)
            line.setPosition(QPointF(rect.width() - right, y));
        // Lines follow at the Latin spacing; faces with much taller line metrics (Arabic,
        // Thai) get a little more, not all of it, so wrapped text keeps to its control.
        y += std::max(latin.lineSpacing(), 0.9 * line.height());
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
                     Qt::Alignment alignment, bool rightToLeft, QTextOption::WrapMode wrap, int headroom)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft, wrap, headroom);
    painter.setFont(font);
    layout.draw(&painter, rect.topLeft());
}

QPointF TextPositionOf(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, int index, QTextOption::WrapMode wrap, int headroom)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft, wrap, headroom);
    QTextLine line = layout.lineForTextPosition(index);
    if (!line.isValid()) line = layout.lineAt(layout.lineCount() - 1);
    if (!line.isValid()) return rect.topLeft();
    qreal x = line.cursorToX(index);
    return QPointF(rect.left() + x, rect.top() + line.y() + line.ascent() - QFontMetricsF(font).ascent());
}

QRectF DrawnTextBounds(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, QTextOption::WrapMode wrap, int headroom)
{
    return DrawnTextInk(rect, text, font, alignment, rightToLeft, wrap, headroom).bounds;
}

TextInk InkOf(const QTextLayout& layout)
{
    TextInk ink;
    const QStringList ours = ProgramFontFamilies();
    for (int l = 0; l < layout.lineCount(); ++l) {
        const QTextLine line = layout.lineAt(l);
        std::vector<QRectF> boxes;
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QRawFont face = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> at = run.positions();
            const bool foreign = !ours.isEmpty() && !ours.contains(face.familyName(), Qt::CaseInsensitive);
            if (foreign && !ink.foreignFaces.contains(face.familyName())) ink.foreignFaces << face.familyName();
            for (qsizetype i = 0; i < glyphs.size() && i < at.size(); ++i) {
                if (glyphs[i] == 0 || foreign) ++ink.missingGlyphs;
                const QRectF box = face.boundingRect(glyphs[i]);
                if (!box.isEmpty()) boxes.push_back(box.translated(at[i]).translated(layout.position()));
            }
        }
        // Glyphs of one word touch or nearly do; a blank leaves a wider gap.
        std::sort(boxes.begin(), boxes.end(), [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
        const std::size_t lineStart = ink.pieces.size();
        for (const QRectF& box : boxes) {
            if (ink.pieces.size() > lineStart && box.left() <= ink.pieces.back().right() + 1.5)
                ink.pieces.back() = ink.pieces.back().united(box);
            else
                ink.pieces.push_back(box);
            ink.bounds = ink.bounds.united(box);
        }
    }
    return ink;
}

TextInk DrawnTextInk(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                     bool rightToLeft, QTextOption::WrapMode wrap, int headroom)
{
    QTextLayout layout(Shown(text));
    LayOut(layout, rect, font, alignment, rightToLeft, wrap, headroom);
    TextInk ink = InkOf(layout);
    for (QRectF& piece : ink.pieces) piece.translate(rect.topLeft());
    ink.bounds.translate(rect.topLeft());
    return ink;
}

}  // namespace Framework
