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

}  // namespace Framework
