// Window chrome: backgrounds, dialogs, the veil, buttons, list header, small fields.
#include "Draw.h"
#include "Renderers.h"

#include <QtMath>

namespace picgen {
namespace {

// The content panel inside the main window's frame; the overlay veil covers exactly it.
const QRectF kPanel(6, 54, 735, 438);

void paintPanel(QPainter& p, const QRectF& r, qreal radius) {
  const QPainterPath shape = roundRect(r, radius);
  softShadow(p, shape, 4, QPointF(0, 1), QColor(0, 20, 40, 110));
  p.setPen(Qt::NoPen);
  p.setBrush(vGrad(r, pal::panelTop, pal::panelBottom));
  p.drawPath(shape);
}

QImage background(const Request& rq) {
  QImage img = newImage(rq.width, rq.height, pal::frameBottom);
  QPainter p;
  begin(p, img);
  const QRectF all(0, 0, rq.width, rq.height);
  QLinearGradient frame(all.topLeft(), all.bottomLeft());
  frame.setColorAt(0, pal::frameTop);
  frame.setColorAt(0.11, QColor(0, 84, 126));
  frame.setColorAt(1, pal::frameBottom);
  p.fillRect(all, frame);
  // header band: a sheen and faint wireless rings towards the right
  p.save();
  p.setClipRect(QRectF(0, 0, rq.width, kPanel.top()));
  QLinearGradient sheen(QPointF(0, 0), QPointF(0, kPanel.top()));
  sheen.setColorAt(0, QColor(255, 255, 255, 46));
  sheen.setColorAt(0.5, QColor(255, 255, 255, 10));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(all, sheen);
  p.setBrush(Qt::NoBrush);
  const QPointF ringCentre(rq.width * 0.62, kPanel.top() + 40);
  for (int i = 0; i < 9; ++i) {
    const qreal r = 40 + i * 26;
    p.setPen(QPen(QColor(255, 255, 255, 22 - i * 2), 6 - i * 0.4));
    p.drawEllipse(ringCentre, r * 1.6, r);
  }
  p.setPen(QPen(QColor(255, 255, 255, 70), 1));
  p.drawLine(QPointF(0, 0.5), QPointF(rq.width, 0.5));
  p.restore();

  paintPanel(p, kPanel, 5);
  // footer: a quiet band under a rule, where the buttons and the help link stand
  p.save();
  p.setClipPath(roundRect(kPanel, 5));
  const qreal footer = 425;
  p.fillRect(QRectF(kPanel.left(), footer, kPanel.width(), kPanel.bottom() - footer),
             vGrad(QRectF(0, footer, 1, kPanel.bottom() - footer), QColor(233, 239, 243), QColor(224, 232, 237)));
  p.setPen(QPen(pal::panelLine, 1));
  p.drawLine(QPointF(kPanel.left(), footer + 0.5), QPointF(kPanel.right(), footer + 0.5));
  p.setPen(QPen(QColor(255, 255, 255, 200), 1));
  p.drawLine(QPointF(kPanel.left(), footer + 1.5), QPointF(kPanel.right(), footer + 1.5));
  p.restore();
  // inner edge of the panel
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 40, 66, 90), 1));
  p.drawPath(roundRect(kPanel.adjusted(-0.5, -0.5, 0.5, 0.5), 5.5));
  return img;
}

QImage veil(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const QRectF r(0, 0, rq.width, rq.height);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 236));
  p.drawPath(roundRect(r, 4));
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.setBrush(QColor(255, 255, 255, 217));
  p.drawPath(roundRect(r.adjusted(2, 2, -2, -2), 3));
  return img;
}

// Dialogs share one look: a light card with a blue rim and an accent stripe on top.
QImage dialog(const Request& rq) {
  QImage img = newImage(rq.width, rq.height, Qt::white);
  QPainter p;
  begin(p, img);
  const QRectF r(0, 0, rq.width, rq.height);
  p.fillRect(r, vGrad(r, QColor(255, 255, 255), pal::panelBottom));
  QLinearGradient stripe(QPointF(0, 0), QPointF(rq.width, 0));
  stripe.setColorAt(0, pal::linkBlue);
  stripe.setColorAt(1, pal::textBlue);
  p.fillRect(QRectF(0, 0, rq.width, 5), stripe);
  p.fillRect(QRectF(0, 5, rq.width, 1), QColor(0, 70, 109, 60));
  // faint rings in the lower right corner, the motif of the main window's header
  p.save();
  p.setClipRect(r.adjusted(1, 6, -1, -1));
  p.setBrush(Qt::NoBrush);
  const QPointF c(rq.width + 10, rq.height + 20);
  for (int i = 0; i < 5; ++i) {
    p.setPen(QPen(QColor(0, 120, 170, 14 - 2 * i), 5));
    p.drawEllipse(c, 50.0 + 30 * i, 50.0 + 30 * i);
  }
  p.restore();
  const QString kind = rq.args.value(0);
  if (kind == QLatin1String("licence")) {
    // frame of the document view placed at (30, 30), 591 x 293
    const QRectF view(29.5, 29.5, 592, 294);
    softShadow(p, roundRect(view, 2), 3, QPointF(0, 1), QColor(0, 30, 50, 70));
    p.setPen(QPen(QColor(160, 180, 193), 1));
    p.setBrush(Qt::white);
    p.drawRect(view);
  } else if (kind == QLatin1String("password")) {
    // emblem: a network sign with a lock, in the free area at the right
    const QPointF c2(415, 128);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 153, 203, 24));
    p.drawEllipse(c2, 46, 46);
    drawWaves(p, QPointF(c2.x(), c2.y() + 16), 90, 12, 11, 3, alpha(pal::linkBlue, 200), 4.5);
    p.setBrush(pal::linkBlue);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(c2.x(), c2.y() + 16), 3.6, 3.6);
    const QRectF lockBody(c2.x() + 10, c2.y() + 8, 22, 17);
    QPainterPath body = roundRect(lockBody, 3);
    softShadow(p, body, 3, QPointF(0, 1), QColor(0, 30, 50, 80));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 126, 138), 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(lockBody.center().x() - 6.5, lockBody.top() - 8.5, 13, 17), 0, 180 * 16);
    p.drawLine(QPointF(lockBody.center().x() - 6.5, lockBody.top() - 0.5), QPointF(lockBody.center().x() - 6.5, lockBody.top() + 2));
    p.drawLine(QPointF(lockBody.center().x() + 6.5, lockBody.top() - 0.5), QPointF(lockBody.center().x() + 6.5, lockBody.top() + 2));
    p.setPen(Qt::NoPen);
    p.setBrush(vGrad(lockBody, QColor(0, 110, 160), pal::textBlue));
    p.drawPath(body);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(lockBody.center().x(), lockBody.center().y() - 1.5), 2.4, 2.4);
    p.drawRect(QRectF(lockBody.center().x() - 1, lockBody.center().y() - 1, 2, 5));
  }
  // rim
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(pal::textBlue, 1));
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
  return img;
}

// ---- buttons ------------------------------------------------------------------------

struct Face {
  QColor top, mid, bottom, border, highlight;
  int gloss = 0;          // alpha of the upper-half gloss
  bool inset = false;     // pressed look: shadow inside the top edge
  bool focusRing = false;
};

Face faceFor(const QString& state) {
  if (state == QLatin1String("hover"))
    return {QColor(64, 190, 232), QColor(14, 160, 212), QColor(0, 122, 174), QColor(0, 96, 146),
            QColor(255, 255, 255, 150), 48, false, false};
  if (state == QLatin1String("pressed"))
    return {QColor(0, 82, 124), QColor(0, 100, 148), QColor(0, 118, 168), QColor(0, 58, 92),
            QColor(255, 255, 255, 0), 0, true, false};
  if (state == QLatin1String("disabled"))
    return {QColor(196, 204, 210), QColor(180, 189, 196), QColor(163, 173, 181), QColor(143, 153, 161),
            QColor(255, 255, 255, 90), 20, false, false};
  Face f{QColor(28, 164, 212), QColor(0, 134, 188), QColor(0, 100, 150), QColor(0, 76, 118),
         QColor(255, 255, 255, 120), 34, false, false};
  if (state == QLatin1String("focused")) f.focusRing = true;
  return f;
}

QImage button(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const Face f = faceFor(rq.args.value(0));
  const qreal radius = rq.height >= 26 ? 6 : 5;
  const QRectF body(0.5, 0.5, rq.width - 1, rq.height - 2);
  // one-pixel drop below the body
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 30, 50, f.inset ? 30 : 60));
  p.drawPath(roundRect(body.translated(0, 1), radius));
  p.setBrush(vGrad3(body, f.top, f.mid, f.bottom));
  p.setPen(QPen(f.border, 1));
  p.drawPath(roundRect(body, radius));
  const QPainterPath inner = roundRect(body.adjusted(1, 1, -1, -1), radius - 1);
  p.save();
  p.setClipPath(inner);
  if (f.gloss > 0) {
    QRectF upper(body.left(), body.top(), body.width(), body.height() * 0.5);
    p.fillRect(upper, vGrad(upper, QColor(255, 255, 255, f.gloss), QColor(255, 255, 255, f.gloss / 3)));
  }
  if (f.inset) {
    QRectF top(body.left(), body.top(), body.width(), 5);
    p.fillRect(top, vGrad(top, QColor(0, 20, 40, 110), QColor(0, 20, 40, 0)));
  }
  p.restore();
  if (f.highlight.alpha() > 0) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(f.highlight, 1));
    p.drawLine(QPointF(body.left() + radius, body.top() + 1.5), QPointF(body.right() - radius, body.top() + 1.5));
  }
  if (f.focusRing) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 210), 1.2));
    p.drawPath(roundRect(body.adjusted(2.5, 2.5, -2.5, -2.5), radius - 2.5));
  }
  return img;
}

// ---- network list header --------------------------------------------------------------

void headerBar(QPainter& p, const QRectF& r, const QString& state, bool rtl, bool outer, bool divider) {
  QColor top(0, 100, 146), bottom(0, 72, 110);
  if (state == QLatin1String("hover")) { top = QColor(0, 132, 182); bottom = QColor(0, 98, 142); }
  if (state == QLatin1String("pressed")) { top = QColor(0, 62, 96); bottom = QColor(0, 84, 124); }
  const bool roundLeft = outer && !rtl, roundRight = outer && rtl;
  const QPainterPath shape = topRoundRect(r, 5, roundLeft, roundRight);
  p.setPen(Qt::NoPen);
  p.setBrush(vGrad(r, top, bottom));
  p.drawPath(shape);
  p.save();
  p.setClipPath(shape);
  if (state != QLatin1String("pressed")) {
    QRectF upper(r.left(), r.top(), r.width(), r.height() * 0.45);
    p.fillRect(upper, vGrad(upper, QColor(255, 255, 255, 46), QColor(255, 255, 255, 8)));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), 1), QColor(255, 255, 255, 70));
  } else {
    QRectF upper(r.left(), r.top(), r.width(), 6);
    p.fillRect(upper, vGrad(upper, QColor(0, 20, 40, 100), QColor(0, 20, 40, 0)));
  }
  // the row's base line
  p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), QColor(0, 40, 66));
  if (divider) {
    // a groove at the edge that meets the next header: a dark and a light line
    const qreal x = rtl ? r.left() : r.right() - 2;
    p.fillRect(QRectF(x, r.top() + 6, 1, r.height() - 12), QColor(0, 36, 60, 150));
    p.fillRect(QRectF(x + 1, r.top() + 6, 1, r.height() - 12), QColor(255, 255, 255, 70));
  }
  p.restore();
}

QImage header(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const bool rtl = rq.args.value(0) == QLatin1String("rtl");
  headerBar(p, QRectF(0, 0, rq.width, rq.height), rq.args.value(1), rtl, rq.has("outer"), true);
  return img;
}

void refreshArrows(QPainter& p, QPointF c, qreal r, const QColor& col, qreal w) {
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(col, w, Qt::SolidLine, Qt::FlatCap));
  const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
  for (int half = 0; half < 2; ++half) {
    const qreal start = 110 + half * 180;  // degrees, counter-clockwise
    p.drawArc(box, int(start * 16), int(118 * 16));
    const qreal end = qDegreesToRadians(start + 118);
    const QPointF tip = c + QPointF(std::cos(end) * r, -std::sin(end) * r);
    const QPointF along(-std::sin(end), -std::cos(end));  // counter-clockwise travel
    const QPointF out(std::cos(end), -std::sin(end));
    QPolygonF head;
    head << tip + along * w * 2.3 << tip + out * w * 1.55 << tip - out * w * 1.55;
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col, w, Qt::SolidLine, Qt::FlatCap));
  }
  p.restore();
}

QImage rescan(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const bool rtl = rq.args.value(0) == QLatin1String("rtl");
  const QString state = rq.args.value(1);
  headerBar(p, QRectF(0, 0, rq.width, rq.height), state, !rtl, true, false);
  const QPointF c(rq.width / 2.0, rq.height / 2.0 - 0.5 + (state == QLatin1String("pressed") ? 1 : 0));
  refreshArrows(p, c, 7.5, state == QLatin1String("hover") ? Qt::white : pal::nearWhite, 2.2);
  return img;
}

QImage bubble(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const QRectF r(0.5, 0.5, rq.width - 1, rq.height - 2);
  const qreal radius = (rq.height - 2) / 2.0;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 50));
  p.drawPath(roundRect(r.translated(0, 1), radius));
  p.setPen(QPen(QColor(62, 68, 74), 1));
  p.setBrush(vGrad(r, QColor(118, 126, 132), QColor(80, 87, 93)));
  p.drawPath(roundRect(r, radius));
  p.setPen(QPen(QColor(255, 255, 255, 70), 1));
  p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
  return img;
}

QImage separator(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p(&img);
  if (rq.args.value(0) == QLatin1String("v")) {
    p.fillRect(QRect(0, 0, rq.width, rq.height), pal::textBlue);
  } else {
    p.fillRect(QRect(0, 0, rq.width, 1), alpha(pal::textBlue, 60));
    p.fillRect(QRect(0, 1, rq.width, 1), pal::textBlue);
    p.fillRect(QRect(0, 2, rq.width, 1), QColor(255, 255, 255, 190));
  }
  return img;
}

// ---- small fields ---------------------------------------------------------------------

QImage checkbox(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const QString kind = rq.args.value(0);
  const QRectF r(0.5, 0.5, rq.width - 1, rq.height - 1);
  if (kind == QLatin1String("empty")) {
    p.setPen(QPen(QColor(64, 108, 134), 1));
    p.setBrush(vGrad(r, QColor(226, 234, 239), Qt::white));
    p.drawPath(roundRect(r, 3));
    return img;
  }
  const bool dim = kind == QLatin1String("dimmed");
  p.setPen(QPen(dim ? QColor(120, 158, 180) : QColor(0, 92, 138), 1));
  p.setBrush(dim ? QBrush(vGrad(r, QColor(200, 222, 234), QColor(166, 196, 212)))
                 : QBrush(vGrad(r, QColor(40, 176, 222), QColor(0, 120, 172))));
  p.drawPath(roundRect(r, 3));
  drawCheckMark(p, QRectF(3.2, 3.6, 9.6, 8.6), dim ? QColor(255, 255, 255, 230) : Qt::white, 2.1);
  return img;
}

QImage pinbox(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const bool rtl = rq.args.value(0) == QLatin1String("rtl");
  const QRectF r(0.5, 0.5, rq.width - 1, rq.height - 1);
  const QPainterPath shape = roundRect(r, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(shape);
  p.save();
  p.setClipPath(shape);
  p.fillRect(QRectF(0, 0, rq.width, 4), vGrad(QRectF(0, 0, 1, 4), QColor(0, 40, 70, 40), QColor(0, 40, 70, 0)));
  p.fillRect(QRectF(rtl ? rq.width - 4 : 0, 0, 4, rq.height), vGrad(r, pal::linkBlue, pal::textBlue));
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(138, 164, 180), 1));
  p.drawPath(shape);
  return img;
}

QImage combo(const Request& rq) {
  QImage face = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, face);
  const bool rtl = rq.args.value(0) == QLatin1String("rtl");
  const bool hover = rq.args.value(1) == QLatin1String("hover");
  const QRectF r(0.5, 0.5, rq.width - 1, rq.height - 1);
  const QPainterPath shape = roundRect(r, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(vGrad(r, Qt::white, QColor(238, 243, 246)));
  p.drawPath(shape);
  const qreal zw = 20;
  const QRectF zone(rtl ? r.left() : r.right() - zw, r.top(), zw, r.height());
  p.save();
  p.setClipPath(shape);
  p.fillRect(zone, hover ? vGrad(zone, QColor(224, 242, 250), QColor(188, 224, 240))
                         : vGrad(zone, QColor(244, 247, 249), QColor(222, 230, 236)));
  p.fillRect(QRectF(rtl ? zone.right() : zone.left() - 1, 3, 1, rq.height - 6), QColor(190, 205, 215));
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(hover ? pal::linkBlue : QColor(138, 164, 180), 1));
  p.drawPath(shape);
  // chevron
  const QPointF c = zone.center() + QPointF(0, 0.5);
  QPainterPath chev;
  chev.moveTo(c + QPointF(-4, -2));
  chev.lineTo(c + QPointF(0, 2));
  chev.lineTo(c + QPointF(4, -2));
  p.setPen(QPen(hover ? pal::linkBlue : pal::textBlue, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(chev);
  p.end();
  return flattenOnto(face, pal::panel);
}

}  // namespace

void addChromeRenderers(RendererTable& t) {
  t[QStringLiteral("background")] = background;
  t[QStringLiteral("veil")] = veil;
  t[QStringLiteral("dialog")] = dialog;
  t[QStringLiteral("button")] = button;
  t[QStringLiteral("header")] = header;
  t[QStringLiteral("rescan")] = rescan;
  t[QStringLiteral("bubble")] = bubble;
  t[QStringLiteral("separator")] = separator;
  t[QStringLiteral("checkbox")] = checkbox;
  t[QStringLiteral("pinbox")] = pinbox;
  t[QStringLiteral("combo")] = combo;
}

}  // namespace picgen
