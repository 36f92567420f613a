#pragma once
// Draws a control's text: wrapped within its rectangle, aligned as its styles say, in
// the reading direction given. The first line's baseline sits where the Latin face puts
// it, so that scripts with taller line metrics (Arabic, Thai) keep the same place on the
// page instead of being pushed down and cut off.
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QTextOption>

#include <vector>

class QTextLayout;

namespace Framework {

// `headroom`: pixels above the rectangle that belong to the control (room for marks
// that rise above the first line); a first line whose marks rise higher is lowered
// just enough to keep them inside.
// `wrap`: words wider than the rectangle stay whole (WordWrap, the controls' way) or break
// where the edge falls (WrapAtWordBoundaryOrAnywhere).
void DrawControlText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                     Qt::Alignment alignment, bool rightToLeft, QTextOption::WrapMode wrap = QTextOption::WordWrap, int headroom = 0);

// Where the character at `index` stands when the text is drawn as above: x of its edge
// (for right-to-left text, the edge where a word placed in a gap ends) and the top of its line.
QPointF TextPositionOf(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, int index, QTextOption::WrapMode wrap = QTextOption::WordWrap, int headroom = 0);

// The ink of the text when drawn as above: the union of its glyphs' bounding boxes, in
// the rectangle's coordinates (an empty rectangle for empty text). Text whose ink leaves
// `rect` is cut on screen.
QRectF DrawnTextBounds(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, QTextOption::WrapMode wrap = QTextOption::WordWrap, int headroom = 0);

// What a laid-out text puts on the screen, in the coordinates of its layout's origin:
// the ink of each word (glyphs that touch or nearly touch are one piece, so blanks
// separate pieces), their union, and the glyphs no face of the program draws (a missing
// glyph, or one taken from a face the program did not load).
struct TextInk {
    std::vector<QRectF> pieces;
    QRectF bounds;
    int missingGlyphs = 0;
    QStringList foreignFaces;
};
// Collects the ink of a layout that has been laid out.
TextInk InkOf(const QTextLayout& layout);
// The ink of the text when drawn as DrawControlText draws it, in the rectangle's coordinates.
TextInk DrawnTextInk(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                     bool rightToLeft, QTextOption::WrapMode wrap = QTextOption::WordWrap, int headroom = 0);

}  // namespace Framework
