#pragma once
// One line of control text, vertically centred in a rectangle and aligned left, right
// or centre, in either reading direction. The line is centred on the Latin face's
// metrics, so that Arabic and Thai captions sit where the Latin ones do instead of
// moving with their taller fallback faces.
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

#include "framework/TextDraw.h"

namespace Controls {

// alignment: Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter (absolute, whatever
// the reading direction). Text wider than the rectangle runs over its edges.
void DrawSingleLineText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                        Qt::Alignment alignment, bool rightToLeft);

// The ink of that line as drawn there, in the rectangle's coordinates.
Framework::TextInk SingleLineTextInk(const QRect& rect, const QString& text, const QFont& font,
                                     Qt::Alignment alignment, bool rightToLeft);

// Removes the mnemonic markers of a caption: "&&" shows one "&", a single "&" nothing.
QString StripMnemonics(const QString& caption);

}  // namespace Controls
