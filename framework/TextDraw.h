#pragma once
// Draws a control's text: wrapped within its rectangle, aligned as its styles say, in
// the reading direction given. The first line's baseline sits where the Latin face puts
// it, so that scripts with taller line metrics (Arabic, Thai) keep the same place on the
// page instead of being pushed down and cut off.
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

namespace Framework {

void DrawControlText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                     Qt::Alignment alignment, bool rightToLeft);

// Where the character at `index` stands when the text is drawn as above: x of its edge
// (for right-to-left text, the edge where a word placed in a gap ends) and the top of its line.
QPointF TextPositionOf(const QRect& rect, const QString& text, const QFont& font, Qt::Alignment alignment,
                       bool rightToLeft, int index);

}  // namespace Framework
