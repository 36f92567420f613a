#include "Draw.h"

#include <QPainterPathStroker>
#include <QtMath>
#include <algorithm>
#include <vector>

namespace picgen {

QColor mix(const QColor& a, const QColor& b, qreal t) {
  auto m = [t](int x, int y) { return qBound(0, qRound(x + (y - x) * t), 255); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                m(a.alpha(), b.alpha()));
}

QColor alpha(const QColor& c, int a) {
  QColor r = c;
  r.setAlpha(a);
  return r;
}

QImage newImage(int w, int h, const QColor& fill) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(fill);
  return img;
}

void begin(QPainter& p, QImage& img) {
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPainterPath roundRect(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

QPainterPath topRoundRect(const QRectF& r, qreal radius, bool left, bool right) {
  QPainterPath path;
  const qreal d = 2 * radius;
  path.moveTo(r.left(), r.bottom());
  if (left) {
    path.lineTo(r.left(), r.top() + radius);
    path.arcTo(QRectF(r.left(), r.top(), d, d), 180, -90);
  } else {
    path.lineTo(r.topLeft());
  }
  if (right) {
    path.lineTo(r.right() - radius, r.top());
    path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
  } else {
    path.lineTo(r.topRight());
  }
  path.lineTo(r.bottomRight());
  path.closeSubpath();
  return path;
}

QLinearGradient vGrad(const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

QLinearGradient vGrad3(const QRectF& r, const QColor& top, const QColor& mid, const QColor& bottom) {
  QLinearGradient g = vGrad(r, top, bottom);
  g.setColorAt(0.5, mid);
  return g;
}

namespace {

// One box-blur pass along rows (horizontal) or columns, on all four channels.
void boxPass(QImage& img, int radius, bool horizontal) {
  const int w = img.width(), h = img.height();
  const int outer = horizontal ? h : w, inner = horizontal ? w : h;
  std::vector<int> acc(4);
  std::vector<QRgb> line(inner);
  for (int o = 0; o < outer; ++o) {
    auto at = [&](int i) -> QRgb& {
      return horizontal ? reinterpret_cast<QRgb*>(img.scanLine(o))[i]
                        : reinterpret_cast<QRgb*>(img.scanLine(i))[o];
    };
    for (int i = 0; i < inner; ++i) line[i] = at(i);
    std::fill(acc.begin(), acc.end(), 0);
    auto add = [&](int i, int sign) {
      if (i < 0 || i >= inner) return;
      const QRgb c = line[i];
      acc[0] += sign * qAlpha(c);
      acc[1] += sign * qRed(c);
      acc[2] += sign * qGreen(c);
      acc[3] += sign * qBlue(c);
    };
    for (int i = -radius; i <= radius; ++i) add(i, 1);
    const int n = 2 * radius + 1;
    for (int i = 0; i < inner; ++i) {
      at(i) = qRgba(acc[1] / n, acc[2] / n, acc[3] / n, acc[0] / n);
      add(i - radius, -1);
      add(i + radius + 1, 1);
    }
  }
}

}  // namespace

void blur(QImage& img, int radius) {
  if (radius <= 0) return;
  for (int pass = 0; pass < 3; ++pass) {
    boxPass(img, radius, true);
    boxPass(img, radius, false);
  }
}

void softShadow(QPainter& p, const QPainterPath& shape, qreal blurRadius, QPointF offset,
                const QColor& color) {
  const QRectF world = p.transform().map(shape).boundingRect();
  const int margin = int(std::ceil(blurRadius * 3)) + 2;
  const QRect area = world.toAlignedRect().adjusted(-margin, -margin, margin, margin);
  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter lp(&layer);
    lp.setRenderHint(QPainter::Antialiasing);
    lp.translate(-area.topLeft());
    lp.setTransform(p.transform(), true);
    lp.setPen(Qt::NoPen);
    lp.setBrush(color);
    lp.drawPath(shape);
  }
  blur(layer, std::max(1, int(blurRadius / 2)));
  p.save();
  p.resetTransform();
  p.drawImage(area.topLeft() + offset, layer);
  p.restore();
}

QImage flattenWithWhiteKey(const QImage& rgba, const QColor& behind) {
  QImage src = rgba.convertToFormat(QImage::Format_ARGB32);
  QImage out(src.size(), QImage::Format_RGB32);
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    QRgb* d = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      const int a = qAlpha(s[x]);
      if (a == 0) {
        d[x] = qRgb(255, 255, 255);
        continue;
      }
      auto ch = [a](int fg, int bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
      int r = ch(qRed(s[x]), behind.red()), g = ch(qGreen(s[x]), behind.green()),
          b = ch(qBlue(s[x]), behind.blue());
      if (r == 255 && g == 255 && b == 255) b = 254;  // drawn pixels never vanish
      d[x] = qRgb(r, g, b);
    }
  }
  return out;
}

QImage flattenOnto(const QImage& rgba, const QColor& background) {
  QImage out(rgba.size(), QImage::Format_RGB32);
  out.fill(background);
  QPainter p(&out);
  p.drawImage(0, 0, rgba);
  p.end();
  return out;
}

QImage mirrored(const QImage& img) { return img.mirrored(true, false); }

QPointF Iso::p(qreal x, qreal y, qreal z) const { return origin + v(x, y, z); }

QPointF Iso::v(qreal x, qreal y, qreal z) const {
  constexpr qreal c = 0.8660254;
  return QPointF((x - y) * c * scale, ((x + y) * 0.5 - z) * scale);
}

QTransform Iso::face(const QPointF& corner2d, QPointF u, QPointF v) const {
  return affine(corner2d, u, v);
}

QTransform affine(QPointF o, QPointF u, QPointF v) {
  return QTransform(u.x(), u.y(), v.x(), v.y(), o.x(), o.y());
}

void extrudeSides(QPainter& p, const QPainterPath& face, QPointF depth, const QBrush& left,
                  const QBrush& right, qreal splitX) {
  const qreal len = std::hypot(depth.x(), depth.y());
  const int steps = std::max(2, int(std::ceil(len * 2)));
  QPainterPath sweep;
  for (int i = 0; i <= steps; ++i) sweep = sweep.united(face.translated(depth * (qreal(i) / steps)));
  const QRectF b = sweep.boundingRect().adjusted(-2, -2, 2, 2);
  p.save();
  p.setPen(Qt::NoPen);
  p.setClipRect(QRectF(b.left(), b.top(), splitX - b.left(), b.height()), Qt::IntersectClip);
  p.setBrush(left);
  p.drawPath(sweep);
  p.restore();
  p.save();
  p.setPen(Qt::NoPen);
  p.setClipRect(QRectF(splitX, b.top(), b.right() - splitX, b.height()), Qt::IntersectClip);
  p.setBrush(right);
  p.drawPath(sweep);
  p.restore();
}

// ---- stroke lettering ---------------------------------------------------------------

namespace {

// Each glyph adds its centre lines at x offset `x` (units, cap height 10, baseline 0,
// x-height 7) and returns its advance.
qreal glyph(QPainterPath& g, QChar ch, qreal x) {
  auto mv = [&](qreal a, qreal b) { g.moveTo(x + a, b); };
  auto ln = [&](qreal a, qreal b) { g.lineTo(x + a, b); };
  auto cu = [&](qreal a, qreal b, qreal c, qreal d, qreal e, qreal f) {
    g.cubicTo(x + a, b, x + c, d, x + e, f);
  };
  switch (ch.unicode()) {
    case 'T':
      mv(0, -10); ln(7.6, -10);
      mv(3.8, -10); ln(3.8, 0);
      return 7.6;
    case 'e':
      mv(0.2, -3.6); ln(6.8, -3.6);
      cu(6.9, -5.7, 5.6, -7.2, 3.5, -7.2);
      cu(1.3, -7.2, 0, -5.6, 0, -3.5);
      cu(0, -1.3, 1.4, 0.1, 3.6, 0.1);
      cu(4.9, 0.1, 5.9, -0.4, 6.5, -1.3);
      return 6.9;
    case 's':
      mv(5.6, -6.1);
      cu(5.0, -6.9, 4.1, -7.2, 3.0, -7.2);
      cu(1.5, -7.2, 0.5, -6.4, 0.5, -5.3);
      cu(0.5, -2.9, 5.9, -4.3, 5.9, -1.8);
      cu(5.9, -0.6, 4.8, 0.1, 3.1, 0.1);
      cu(1.8, 0.1, 0.7, -0.4, 0.1, -1.3);
      return 6.0;
    case 'r':
      mv(0.2, -7.1); ln(0.2, 0);
      mv(0.2, -4.1);
      cu(0.4, -6.1, 1.8, -7.2, 3.8, -7.1);
      return 4.0;
    case 'a':
      mv(6.6, -7.1); ln(6.6, 0);
      mv(6.6, -3.55);
      cu(6.6, -5.7, 5.2, -7.2, 3.3, -7.2);
      cu(1.3, -7.2, 0, -5.6, 0, -3.55);
      cu(0, -1.4, 1.3, 0.1, 3.3, 0.1);
      cu(5.2, 0.1, 6.6, -1.4, 6.6, -3.55);
      return 6.8;
    case '1':
      mv(1.0, -8.0); ln(3.6, -10); ln(3.6, 0);
      return 5.4;
    case '2':
      mv(0.4, -7.6);
      cu(0.9, -9.2, 2.1, -10, 3.6, -10);
      cu(5.5, -10, 6.7, -8.8, 6.7, -7.2);
      cu(6.7, -5.0, 4.6, -3.6, 0.3, 0);
      ln(6.9, 0);
      return 7.2;
    case '3':
      mv(0.5, -9.2);
      cu(1.3, -9.8, 2.3, -10, 3.4, -10);
      cu(5.3, -10, 6.4, -9.0, 6.4, -7.6);
      cu(6.4, -6.2, 5.2, -5.4, 3.0, -5.4);
      cu(5.6, -5.4, 6.8, -4.3, 6.8, -2.7);
      cu(6.8, -0.9, 5.4, 0.1, 3.4, 0.1);
      cu(2.0, 0.1, 0.9, -0.3, 0.2, -1.0);
      return 7.2;
    case 'W':
      mv(0, -10); ln(2.6, 0); ln(5.2, -8.2); ln(7.8, 0); ln(10.4, -10);
      return 10.4;
    case 'P':
      mv(0.2, 0); ln(0.2, -10); ln(3.9, -10);
      cu(5.9, -10, 7.0, -8.9, 7.0, -7.3);
      cu(7.0, -5.6, 5.9, -4.6, 3.9, -4.6);
      ln(0.2, -4.6);
      return 7.2;
    case 'S':
      mv(6.6, -8.6);
      cu(5.9, -9.6, 4.8, -10.1, 3.4, -10.1);
      cu(1.5, -10.1, 0.3, -9.1, 0.3, -7.6);
      cu(0.3, -4.2, 7.1, -6.0, 7.1, -2.6);
      cu(7.1, -0.9, 5.7, 0.1, 3.6, 0.1);
      cu(2.0, 0.1, 0.7, -0.5, 0, -1.7);
      return 7.1;
    case '?':
      mv(0.3, -7.5);
      cu(0.6, -9.2, 2.0, -10.1, 3.6, -10.1);
      cu(5.5, -10.1, 6.8, -8.9, 6.8, -7.4);
      cu(6.8, -5.2, 3.7, -5.0, 3.7, -2.9);
      return 7.1;
    default:
      return 4.0;
  }
}

}  // namespace

Lettering letter(const QString& text, qreal capHeight, qreal tracking) {
  QPainterPath units;
  qreal x = 0;
  for (int i = 0; i < text.size(); ++i) {
    x += glyph(units, text[i], x);
    if (i + 1 < text.size()) x += 1.6 + tracking;
  }
  const qreal k = capHeight / 10.0;
  Lettering l;
  l.path = QTransform::fromScale(k, k).map(units);
  l.width = x * k;
  return l;
}

void drawLettering(QPainter& p, const Lettering& l, QPointF baselineLeft, const QColor& c,
                   qreal penWidth) {
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(c, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(l.path.translated(baselineLeft));
  p.restore();
}

// ---- shared symbols ---------------------------------------------------------------

void drawCheckMark(QPainter& p, const QRectF& b, const QColor& c, qreal width) {
  QPainterPath path;
  path.moveTo(b.left() + b.width() * 0.08, b.top() + b.height() * 0.55);
  path.lineTo(b.left() + b.width() * 0.38, b.top() + b.height() * 0.85);
  path.lineTo(b.left() + b.width() * 0.92, b.top() + b.height() * 0.18);
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.restore();
}

void drawQuestionMark(QPainter& p, const QRectF& b, const QColor& c, qreal width) {
  // The '?' glyph is 10 units high and 7.1 wide; the dot sits below it.
  const qreal k = b.height() / 12.5;
  Lettering q = letter(QStringLiteral("?"), 10 * k);
  const QPointF base(b.center().x() - 3.55 * k, b.top() + 10.1 * k);
  drawLettering(p, q, base, c, width);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(base.x() + 3.7 * k, b.bottom() - width * 0.55), width * 0.62, width * 0.62);
  p.restore();
}

QRectF drawBadge(QPainter& p, QPointF c, qreal r, const QColor& light, const QColor& dark) {
  QPainterPath disc;
  disc.addEllipse(c, r, r);
  softShadow(p, disc, r * 0.25, QPointF(0, r * 0.12), QColor(0, 30, 50, 90));
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(c, r, r);
  QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.4), r * 1.5);
  g.setColorAt(0, mix(light, Qt::white, 0.25));
  g.setColorAt(0.55, light);
  g.setColorAt(1, dark);
  p.setBrush(g);
  const qreal inner = r - std::max(1.5, r * 0.09);
  p.drawEllipse(c, inner, inner);
  // gloss on the upper half
  QPainterPath gloss;
  gloss.addEllipse(QRectF(c.x() - inner * 0.78, c.y() - inner * 0.95, inner * 1.56, inner * 1.05));
  QLinearGradient gg(QPointF(0, c.y() - inner), QPointF(0, c.y() + inner * 0.1));
  gg.setColorAt(0, QColor(255, 255, 255, 110));
  gg.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(gg);
  p.drawPath(gloss);
  p.restore();
  const qreal s = inner * 1.15;
  return QRectF(c.x() - s / 2, c.y() - s / 2, s, s);
}

void drawWpsMark(QPainter& p, QPointF c, qreal r, const QColor& col) {
  p.save();
  const bool small = r < 8;
  const qreal w = std::max(1.4, r * 0.22);
  // circular arrow running clockwise, open at the top, its head at the upper left
  const qreal ra = r - w * 0.9;
  const QRectF ring(c.x() - ra, c.y() - ra, 2 * ra, 2 * ra);
  QPainterPath arc;
  arc.arcMoveTo(ring, 62);
  arc.arcTo(ring, 62, -282);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(col, w, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.drawPath(arc);
  const qreal a = qDegreesToRadians(140.0);
  const QPointF end = c + QPointF(std::cos(a) * ra, -std::sin(a) * ra);
  const QPointF along(std::sin(a), std::cos(a));  // clockwise travel
  const QPointF out(std::cos(a), -std::sin(a));
  const qreal hw = w * 1.35, hl = w * 1.9;
  QPolygonF head;
  head << end + along * hl << end + out * hw << end - out * hw;
  p.setPen(Qt::NoPen);
  p.setBrush(col);
  p.drawPolygon(head);
  // the lock in the middle
  const qreal bw = small ? r * 0.95 : r * 0.78, bh = small ? r * 0.62 : r * 0.56;
  const QRectF body(c.x() - bw / 2, c.y() - bh * 0.18, bw, bh);
  const qreal sr = bw * (small ? 0.27 : 0.3);
  const qreal sw = std::max(small ? 1.1 : 1.2, w * 0.62);
  QPainterPath shackle;
  shackle.moveTo(c.x() - sr, body.top() + 0.5);
  shackle.lineTo(c.x() - sr, body.top() - sr * 0.4);
  shackle.arcTo(QRectF(c.x() - sr, body.top() - sr * 1.4, 2 * sr, 2 * sr), 180, -180);
  shackle.lineTo(c.x() + sr, body.top() + 0.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(col, sw, Qt::SolidLine, Qt::FlatCap));
  p.drawPath(shackle);
  p.setPen(Qt::NoPen);
  p.setBrush(col);
  p.drawRoundedRect(body, bw * 0.14, bw * 0.14);
  p.restore();
}

void drawTesraMark(QPainter& p, QPointF c, qreal r) {
  p.save();
  p.setPen(Qt::NoPen);
  QLinearGradient g(c + QPointF(-r, -r), c + QPointF(r, r));
  g.setColorAt(0, mix(pal::linkBlue, Qt::white, 0.12));
  g.setColorAt(1, pal::textBlue);
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  // a white swoosh along the lower rim
  QPainterPath rim;
  rim.addEllipse(c, r, r);
  QPainterPath cut;
  cut.addEllipse(QPointF(c.x() - r * 0.18, c.y() - r * 0.22), r * 1.02, r * 1.02);
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawPath(rim.subtracted(cut));
  // signal: dot and two arcs opening upwards
  const QPointF dot(c.x(), c.y() + r * 0.38);
  const qreal w = std::max(1.2, r * 0.16);
  p.setBrush(Qt::white);
  p.drawEllipse(dot, w * 0.8, w * 0.8);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, w, Qt::SolidLine, Qt::RoundCap));
  for (int i = 1; i <= 2; ++i) {
    const qreal ar = r * (0.24 + 0.27 * i);
    p.drawArc(QRectF(dot.x() - ar, dot.y() - ar, 2 * ar, 2 * ar), 45 * 16, 90 * 16);
  }
  p.restore();
}

void drawWaves(QPainter& p, QPointF from, qreal angle, qreal firstRadius, qreal step, int count,
               const QColor& c, qreal width) {
  p.save();
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < count; ++i) {
    const qreal r = firstRadius + step * i;
    QColor ci = c;
    ci.setAlphaF(c.alphaF() * (1.0 - 0.22 * i));
    p.setPen(QPen(ci, width, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(from.x() - r, from.y() - r, 2 * r, 2 * r), int((angle - 40) * 16), 80 * 16);
  }
  p.restore();
}

}  // namespace picgen
