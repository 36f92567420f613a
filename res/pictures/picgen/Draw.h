// Shared drawing vocabulary of the picture generator: the palette, a few shape and
// gradient helpers, a soft shadow, an isometric projection for the product
// illustrations and a small stroke font for the lettering we need.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

namespace picgen {

// Palette. Every picture takes its colours from here.
namespace pal {
inline const QColor textBlue{0, 70, 109};
inline const QColor linkBlue{0, 153, 203};
inline const QColor frameTop{0, 104, 152};
inline const QColor frameBottom{0, 58, 92};
inline const QColor panelTop{250, 252, 253};
inline const QColor panelBottom{238, 243, 246};
inline const QColor panel{244, 247, 249};          // what sits behind small bitmaps
inline const QColor panelLine{204, 216, 224};
inline const QColor nearWhite{248, 247, 247};       // caption colour of image buttons
inline const QColor green{52, 168, 83};
inline const QColor greenDark{30, 128, 58};
inline const QColor red{214, 52, 48};
inline const QColor redDark{160, 28, 28};
inline const QColor graphite{58, 64, 70};
inline const QColor rowOdd{231, 229, 229};
inline const QColor rowEven{241, 238, 238};
inline const QColor rowBlend{236, 233, 233};        // icons of the list are smoothed against this
}  // namespace pal

QColor mix(const QColor& a, const QColor& b, qreal t);  // t = 0 gives a, 1 gives b
QColor alpha(const QColor& c, int a);

QImage newImage(int w, int h, const QColor& fill = Qt::transparent);
void begin(QPainter& p, QImage& img);  // antialiased painter on img

QPainterPath roundRect(const QRectF& r, qreal radius);
// Rounded rectangle with only the chosen top corners rounded.
QPainterPath topRoundRect(const QRectF& r, qreal radius, bool left, bool right);
QLinearGradient vGrad(const QRectF& r, const QColor& top, const QColor& bottom);
QLinearGradient vGrad3(const QRectF& r, const QColor& top, const QColor& mid, const QColor& bottom);

// A blurred drop shadow of a shape, painted under whatever comes next.
void softShadow(QPainter& p, const QPainterPath& shape, qreal blur, QPointF offset, const QColor& color);
// Separable box blur (three passes) of an ARGB32 premultiplied image, in place.
void blur(QImage& img, int radius);

// Turns an image with transparency into an opaque bitmap whose untouched pixels are
// pure white (the colour the owner treats as transparent) and whose smoothed edges
// are blended against `behind`, the colour the bitmap is shown over.
QImage flattenWithWhiteKey(const QImage& rgba, const QColor& behind);
QImage flattenOnto(const QImage& rgba, const QColor& background);
QImage mirrored(const QImage& img);

// Isometric projection: x to the lower right, y to the lower left, z up.
struct Iso {
  QPointF origin;
  qreal scale = 1;
  QPointF p(qreal x, qreal y, qreal z) const;
  QPointF v(qreal x, qreal y, qreal z) const;  // projected direction
  // Maps face-local (u, v) onto the plane through `corner` spanned by u and v.
  QTransform face(const QPointF& corner2d, QPointF u, QPointF v) const;
};
QTransform affine(QPointF o, QPointF u, QPointF v);  // local (1,0)->u, (0,1)->v, (0,0)->o

// A slab: `face` (screen coordinates) extruded by `depth`; the sides left and right of
// splitX get their own colours. The face itself is painted by the caller afterwards.
void extrudeSides(QPainter& p, const QPainterPath& face, QPointF depth, const QBrush& left,
                  const QBrush& right, qreal splitX);

// Stroke lettering. Glyphs are centre lines on a 10-unit cap height; the caller
// strokes them with a round pen. Known: T e s r a 1 2 3 W P S ? and space.
struct Lettering {
  QPainterPath path;
  qreal width = 0;  // advance of the whole text, in pixels
};
Lettering letter(const QString& text, qreal capHeight, qreal tracking = 0);
void drawLettering(QPainter& p, const Lettering& l, QPointF baselineLeft, const QColor& c, qreal penWidth);

// Symbols shared by several pictures.
void drawCheckMark(QPainter& p, const QRectF& box, const QColor& c, qreal width);
void drawQuestionMark(QPainter& p, const QRectF& box, const QColor& c, qreal width);
// Round badge with a glossy fill; returns the inner box for its symbol.
QRectF drawBadge(QPainter& p, QPointF centre, qreal radius, const QColor& light, const QColor& dark);
// Our WPS mark: a circular arrow around a small lock.
void drawWpsMark(QPainter& p, QPointF centre, qreal radius, const QColor& c);
// The Tesra mark: a round tile with a signal dot and two arcs.
void drawTesraMark(QPainter& p, QPointF centre, qreal radius);
// Wireless arcs radiating from a point towards `angle` (degrees, 90 = up).
void drawWaves(QPainter& p, QPointF from, qreal angle, qreal firstRadius, qreal step, int count,
               const QColor& c, qreal width);

}  // namespace picgen
