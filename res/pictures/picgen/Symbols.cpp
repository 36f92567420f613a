// Small symbols: logo, icon, bullets, step numbers, WPS marks, the network list's
// image strip and the two spinners.
#include "Draw.h"
#include "Renderers.h"

#include <QtMath>
#include <algorithm>

namespace picgen {
namespace {

QImage logo(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const QRectF r(0.5, 0.5, rq.width - 1, rq.height - 1);
  p.setPen(QPen(QColor(188, 206, 218), 1));
  p.setBrush(vGrad(r, Qt::white, QColor(232, 239, 244)));
  p.drawPath(roundRect(r, 6));
  const qreal markR = 12;
  drawTesraMark(p, QPointF(5.5 + markR, rq.height / 2.0), markR);
  const Lettering word = letter(QStringLiteral("Tesra"), 12.5, -0.3);
  const qreal x0 = 5.5 + 2 * markR + 4;
  const qreal x = x0 + (rq.width - 6 - x0 - word.width) / 2;
  drawLettering(p, word, QPointF(x, rq.height / 2.0 + 6.25), pal::textBlue, 2.3);
  return img;
}

QImage appIcon(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const qreal s = rq.width;
  // Drawn for 32 pixels and scaled from there; 16 pixels has a geometry of its own.
  const qreal k = s >= 32 ? s / 32 : 1;
  const qreal rim = std::max<qreal>(1, s / 64);
  const QRectF r(rim / 2, rim / 2, s - rim, s - rim);
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, mix(pal::linkBlue, Qt::white, 0.1));
  g.setColorAt(1, pal::textBlue);
  p.setPen(QPen(QColor(0, 50, 80), rim));
  p.setBrush(g);
  p.drawPath(roundRect(r, s * 0.2));
  const QPointF dot(s / 2, s * 0.72);
  const qreal w = s >= 32 ? 3.0 * k : 1.8;
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(dot, w * 0.85, w * 0.85);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, w, Qt::SolidLine, Qt::RoundCap));
  const int arcs = s >= 32 ? 3 : 2;
  for (int i = 1; i <= arcs; ++i) {
    const qreal ar = (s >= 32 ? 6.0 * k : 4.6) * i;
    p.drawArc(QRectF(dot.x() - ar, dot.y() - ar, 2 * ar, 2 * ar), 45 * 16, 90 * 16);
  }
  return img;
}

QImage bullet(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  p.setPen(Qt::NoPen);
  p.setBrush(pal::linkBlue);
  p.drawEllipse(QRectF(0.2, 0.2, rq.width - 0.4, rq.height - 0.4));
  return img;
}

QImage dot(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  p.setPen(Qt::NoPen);
  p.setBrush(pal::textBlue);
  p.drawEllipse(QRectF(0, 0, rq.width, rq.height));
  return img;
}

QImage step(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const QPointF c(rq.width / 2.0, rq.height / 2.0);
  const qreal r = rq.width / 2.0 - 0.8;
  p.setPen(QPen(QColor(0, 92, 138), 1));
  QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.45), r * 1.6);
  g.setColorAt(0, QColor(70, 192, 232));
  g.setColorAt(0.5, QColor(0, 146, 198));
  g.setColorAt(1, QColor(0, 96, 146));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  const Lettering digit = letter(rq.args.value(0), 11);
  drawLettering(p, digit, QPointF(c.x() - digit.width / 2 + 0.2, c.y() + 5.5), Qt::white, 2.2);
  return img;
}

QImage wpsIcon(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const QColor c = rq.args.value(0) == QLatin1String("text") ? pal::textBlue : pal::linkBlue;
  drawWpsMark(p, QPointF(rq.width / 2.0, rq.height / 2.0), rq.height / 2.0 - 0.3, c);
  return img;
}

QImage wpsLogo(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const qreal r = rq.height / 2.0 - 2;
  drawWpsMark(p, QPointF(r + 3, rq.height / 2.0), r, pal::linkBlue);
  // the letters take the room right of the mark, at most 22 pixels high
  const qreal x0 = 2 * r + 11, room = rq.width - x0 - 4;
  const Lettering probe = letter(QStringLiteral("WPS"), 10, 0.6);
  const qreal cap = std::min<qreal>(22, 10 * room / probe.width);
  const Lettering word = letter(QStringLiteral("WPS"), cap, 0.6);
  drawLettering(p, word, QPointF(x0 + (room - word.width) / 2, rq.height / 2.0 + cap / 2), pal::textBlue, 3.0);
  return img;
}

QImage sortArrow(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  QPolygonF tri;
  tri << QPointF(0.5, 0.5) << QPointF(rq.width - 0.5, 0.5) << QPointF(rq.width / 2.0, rq.height - 0.3);
  p.setPen(Qt::NoPen);
  p.setBrush(pal::nearWhite);
  p.drawPolygon(tri);
  return img;
}

QImage chevron(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  QPainterPath v;
  v.moveTo(1.5, 1.5);
  v.lineTo(rq.width / 2.0, rq.height - 1.5);
  v.lineTo(rq.width - 1.5, 1.5);
  p.setPen(QPen(pal::textBlue, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(v);
  return img;
}

// ---- spinners -------------------------------------------------------------------------

// A ring of dots; the head dot is at position `head` (clockwise from twelve o'clock)
// and the ones behind it fade out.
void spinnerRing(QPainter& p, QPointF c, qreal ringR, qreal dotR, int count, int head) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const int behind = (head - i + count) % count;  // 0 = head
    const qreal t = qreal(behind) / (count - 1);
    const QColor col = mix(pal::linkBlue, QColor(200, 218, 228), qMin(1.0, t * 1.25));
    const qreal a = qDegreesToRadians(90.0 - 360.0 * i / count);
    const QPointF at = c + QPointF(std::cos(a) * ringR, -std::sin(a) * ringR);
    const qreal rr = dotR * (1.0 - 0.35 * t);
    p.setBrush(behind == 0 ? pal::textBlue.lighter(125) : col);
    p.drawEllipse(at, rr, rr);
  }
}

QImage busy(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  spinnerRing(p, QPointF(rq.width / 2.0, rq.height / 2.0), 11.5, 3.3, 8, rq.args.value(0).toInt());
  p.end();
  return flattenWithWhiteKey(img, pal::panel);
}

QImage spinner(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  spinnerRing(p, QPointF(rq.width / 2.0, rq.height / 2.0), 12, 2.7, rq.frames, rq.frame);
  return img;
}

// ---- network list ----------------------------------------------------------------------

QLinearGradient rowGradient(qreal h) {
  QLinearGradient g(QPointF(0, 0), QPointF(0, h));
  g.setColorAt(0, QColor(156, 162, 167));
  g.setColorAt(0.5, QColor(132, 138, 144));
  g.setColorAt(1, QColor(110, 116, 122));
  return g;
}

QImage rowGradientBitmap(const Request& rq) {
  QImage img(rq.width, rq.height, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(QRect(0, 0, rq.width, rq.height), rowGradient(rq.height));
  p.fillRect(QRect(0, 0, rq.width, 1), QColor(172, 177, 182));
  p.fillRect(QRect(0, rq.height - 1, rq.width, 1), QColor(96, 102, 108));
  return img;
}

// Signal bars: `lit` of five, crisp rectangles (no smoothing: the strip is masked by
// its white pixels).
QImage signalCell(int lit) {
  QImage cell(32, 30, QImage::Format_RGB32);
  cell.fill(Qt::white);
  QPainter p(&cell);
  for (int i = 0; i < 5; ++i) {
    const int h = 5 + 4 * i;
    const QRect bar(3 + i * 6, 25 - h, 4, h);
    if (i < lit) {
      p.fillRect(bar, vGrad(bar, QColor(110, 204, 96), QColor(40, 150, 62)));
      p.fillRect(QRect(bar.left(), bar.top(), bar.width(), 1), QColor(150, 220, 130));
    } else {
      p.fillRect(bar, QColor(198, 204, 209));
    }
  }
  return cell;
}

QImage padlockCell() {
  QImage cell = newImage(32, 30);
  QPainter p;
  begin(p, cell);
  const QRectF body(9, 13, 14, 11);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(112, 124, 134), 2.2, Qt::SolidLine, Qt::FlatCap));
  QPainterPath shackle;
  shackle.moveTo(12.2, body.top() + 0.5);
  shackle.lineTo(12.2, 10);
  shackle.arcTo(QRectF(12.2, 6.2, 7.6, 7.6), 180, -180);
  shackle.lineTo(19.8, body.top() + 0.5);
  p.drawPath(shackle);
  p.setPen(QPen(QColor(0, 56, 88), 1));
  p.setBrush(vGrad(body, QColor(30, 128, 176), pal::textBlue));
  p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 210));
  p.drawEllipse(QPointF(16, 17.6), 1.7, 1.7);
  p.drawRect(QRectF(15.3, 18, 1.4, 3.2));
  p.end();
  return flattenWithWhiteKey(cell, pal::rowBlend);
}

QImage strip(const Request& rq) {
  const bool rtl = rq.args.value(0) == QLatin1String("rtl");
  QImage img(rq.width, rq.height, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  for (int k = 0; k <= 5; ++k) {
    const QImage cell = signalCell(k);
    p.drawImage(32 * k, 0, rtl ? mirrored(cell) : cell);
  }
  p.drawImage(32 * 6, 0, padlockCell());
  p.fillRect(QRect(32 * 7, 0, 32, 30), Qt::white);
  p.fillRect(QRect(32 * 8, 0, 32, 30), pal::rowOdd);
  p.fillRect(QRect(32 * 9, 0, 32, 30), pal::rowEven);
  Request row{32, 30, {}, 0, 1};
  p.drawImage(32 * 10, 0, rowGradientBitmap(row));
  return img;
}

}  // namespace

void addSymbolRenderers(RendererTable& t) {
  t[QStringLiteral("logo")] = logo;
  t[QStringLiteral("app-icon")] = appIcon;
  t[QStringLiteral("bullet")] = bullet;
  t[QStringLiteral("dot")] = dot;
  t[QStringLiteral("step")] = step;
  t[QStringLiteral("wps-icon")] = wpsIcon;
  t[QStringLiteral("wps-logo")] = wpsLogo;
  t[QStringLiteral("sort-arrow")] = sortArrow;
  t[QStringLiteral("chevron")] = chevron;
  t[QStringLiteral("busy")] = busy;
  t[QStringLiteral("spinner")] = spinner;
  t[QStringLiteral("row-gradient")] = rowGradientBitmap;
  t[QStringLiteral("strip")] = strip;
}

}  // namespace picgen
