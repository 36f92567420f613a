// Page illustrations: the laptop and the adapters in an isometric view, the router,
// the licence document and the two small WPS pictures.
#include "Draw.h"
#include "Renderers.h"

#include <QtMath>

namespace picgen {
namespace {

// ---- model -----------------------------------------------------------------------------

struct Laptop {
  qreal W = 150, D = 92, H = 8;  // base
  qreal L = 88, tilt = 10;        // lid height and backward lean
  qreal lidT = 3.5;               // lid thickness
  qreal portY = 30;               // port position along the right side
};

enum class Model { Main, Sibling };

struct Adapter {
  qreal plugL = 14, plugW = 11, plugH = 4.6;
  qreal bodyL, bodyW, bodyH;
  Model model;
  explicit Adapter(Model m) : model(m) {
    if (m == Model::Main) { bodyL = 42; bodyW = 15; bodyH = 6.4; }
    else { bodyL = 48; bodyW = 19; bodyH = 7.6; }
  }
};

QBrush faceBrush(const QPolygonF& quad, const QColor& a, const QColor& b) {
  QLinearGradient g(quad.value(0), quad.value(2));
  g.setColorAt(0, a);
  g.setColorAt(1, b);
  return g;
}

QPainterPath poly(std::initializer_list<QPointF> pts) {
  QPainterPath path;
  bool first = true;
  for (const QPointF& q : pts) {
    if (first) path.moveTo(q); else path.lineTo(q);
    first = false;
  }
  path.closeSubpath();
  return path;
}

// A box whose top face has rounded corners; x0..x1, y0..y1, z0..z1.
struct BoxStyle {
  QColor topA, topB, front, right, edge;
  qreal radius = 3;
};

void roundedBox(QPainter& p, const Iso& iso, qreal x0, qreal y0, qreal z0, qreal x1, qreal y1, qreal z1,
                const BoxStyle& st, QTransform* topFace = nullptr) {
  const QTransform top = affine(iso.p(x0, y0, z1), iso.v(1, 0, 0), iso.v(0, 1, 0));
  const QPainterPath local = roundRect(QRectF(0, 0, x1 - x0, y1 - y0), st.radius);
  const QPainterPath face = top.map(local);
  const QPointF depth = iso.v(0, 0, -(z1 - z0));
  const qreal split = iso.p(x1, y1, z1).x();
  QLinearGradient fg(iso.p(x0, y1, z1), iso.p(x0, y1, z0));
  fg.setColorAt(0, st.front);
  fg.setColorAt(1, st.front.darker(118));
  QLinearGradient rg(iso.p(x1, y0, z1), iso.p(x1, y0, z0));
  rg.setColorAt(0, st.right);
  rg.setColorAt(1, st.right.darker(118));
  extrudeSides(p, face, depth, fg, rg, split);
  p.setPen(Qt::NoPen);
  QLinearGradient tg(iso.p(x0, y0, z1), iso.p(x1, y1, z1));
  tg.setColorAt(0, st.topA);
  tg.setColorAt(1, st.topB);
  p.setBrush(tg);
  p.drawPath(face);
  if (st.edge.alpha() > 0) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(st.edge, 0.8));
    p.drawPath(face);
  }
  if (topFace) *topFace = top;
}

void groundShadow(QPainter& p, const Iso& iso, qreal x0, qreal y0, qreal x1, qreal y1, qreal blurR, int a) {
  const QPainterPath foot = poly({iso.p(x0, y0, 0), iso.p(x1, y0, 0), iso.p(x1, y1, 0), iso.p(x0, y1, 0)});
  softShadow(p, foot, blurR, QPointF(0, blurR * 0.3), QColor(0, 30, 50, a));
}

void screenContent(QPainter& p, const QRectF& r, bool success) {
  // desktop
  p.fillRect(r, vGrad(r, QColor(28, 150, 200), QColor(0, 72, 112)));
  p.save();
  p.setClipRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 20));
  p.drawEllipse(QPointF(r.left() + r.width() * 0.1, r.bottom()), r.width() * 0.7, r.height() * 0.55);
  // a small window of the wizard itself
  const QRectF win(r.left() + r.width() * 0.2, r.top() + r.height() * 0.2, r.width() * 0.6, r.height() * 0.56);
  p.setBrush(QColor(0, 30, 50, 60));
  p.drawRect(win.translated(1.5, 2));
  p.setBrush(QColor(0, 84, 126));
  p.drawRect(win);
  const QRectF inner = win.adjusted(2, win.height() * 0.2, -2, -2);
  p.setBrush(QColor(246, 249, 251));
  p.drawRect(inner);
  p.setBrush(QColor(0, 70, 109, 150));
  p.drawRect(QRectF(inner.left() + 5, inner.top() + 5, inner.width() * 0.45, 3.2));
  p.setBrush(QColor(0, 70, 109, 70));
  p.drawRect(QRectF(inner.left() + 5, inner.top() + 11, inner.width() * 0.6, 2.2));
  p.drawRect(QRectF(inner.left() + 5, inner.top() + 15.5, inner.width() * 0.5, 2.2));
  const QRectF bar(inner.left() + 5, inner.bottom() - 9, inner.width() - 10, 4);
  p.setBrush(QColor(200, 212, 220));
  p.drawRoundedRect(bar, 2, 2);
  p.setBrush(success ? pal::green : pal::linkBlue);
  p.drawRoundedRect(QRectF(bar.left(), bar.top(), bar.width() * (success ? 1.0 : 0.45), bar.height()), 2, 2);
  p.restore();
}

void drawLaptop(QPainter& p, const Iso& iso, const Laptop& lp, bool success) {
  groundShadow(p, iso, -4, -4, lp.W + 4, lp.D + 6, 9, 120);
  // lid: front face and its extruded back edge
  const QPointF A = iso.p(0, 0, lp.H), B = iso.p(lp.W, 0, lp.H);
  const QPointF C = iso.p(lp.W, -lp.tilt, lp.H + lp.L), Dd = iso.p(0, -lp.tilt, lp.H + lp.L);
  const QPointF up = (Dd - A) / lp.L;                 // one unit up the lid
  const QPointF across = (B - A) / lp.W;              // one unit along x
  const QTransform lidT = affine(Dd, across, -up);  // local (u, w): u along x, w down from the top
  const QPainterPath lidFace = lidT.map(roundRect(QRectF(0, 0, lp.W, lp.L), 4));
  extrudeSides(p, lidFace, iso.v(0, -lp.lidT, 0), QColor(150, 160, 168), QColor(120, 130, 138), C.x());
  p.setPen(Qt::NoPen);
  p.setBrush(faceBrush(QPolygonF() << Dd << C << B << A, QColor(66, 74, 82), QColor(36, 42, 48)));
  p.drawPath(lidFace);
  p.save();
  p.setTransform(lidT, true);
  const QRectF screen(6, 6, lp.W - 12, lp.L - 14);
  screenContent(p, screen, success);
  // glass reflection
  QPainterPath glare;
  glare.moveTo(screen.left(), screen.top());
  glare.lineTo(screen.left() + screen.width() * 0.55, screen.top());
  glare.lineTo(screen.left() + screen.width() * 0.2, screen.bottom());
  glare.lineTo(screen.left(), screen.bottom());
  glare.closeSubpath();
  p.setBrush(QColor(255, 255, 255, 22));
  p.drawPath(glare);
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawEllipse(QPointF(lp.W / 2, 3), 1.2, 1.2);  // camera
  p.restore();
  // base
  BoxStyle base{QColor(236, 240, 243), QColor(204, 211, 217), QColor(178, 186, 193), QColor(156, 165, 172),
                QColor(150, 160, 168, 160), 5};
  QTransform top;
  roundedBox(p, iso, 0, 0, 0, lp.W, lp.D, lp.H, base, &top);
  // hinge shadow where the lid meets the base
  p.save();
  p.setTransform(top, true);
  p.fillRect(QRectF(4, 0, lp.W - 8, 4), vGrad(QRectF(0, 0, 1, 4), QColor(0, 20, 40, 70), QColor(0, 20, 40, 0)));
  // keyboard
  const qreal kx = 14, ky = 9, kw = lp.W - 28, kh = lp.D * 0.46;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 160, 168));
  p.drawRoundedRect(QRectF(kx - 1.5, ky - 1.5, kw + 3, kh + 3), 2, 2);
  const int cols = 14, rows = 5;
  const qreal gap = 1.1, cw = (kw - gap * (cols - 1)) / cols, ch = (kh - gap * (rows - 1)) / rows;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (r == rows - 1 && c >= 4 && c < 10) continue;  // the space bar
      p.setBrush(QColor(62, 70, 78));
      p.drawRoundedRect(QRectF(kx + c * (cw + gap), ky + r * (ch + gap), cw, ch), 0.8, 0.8);
    }
  }
  p.drawRoundedRect(QRectF(kx + 4 * (cw + gap), ky + (rows - 1) * (ch + gap), 6 * cw + 5 * gap, ch), 0.8, 0.8);
  // touch pad
  const QRectF pad(lp.W / 2 - 22, ky + kh + 7, 44, lp.D - ky - kh - 13);
  p.setBrush(QColor(214, 220, 225));
  p.setPen(QPen(QColor(170, 180, 188), 0.6));
  p.drawRoundedRect(pad, 2.5, 2.5);
  p.restore();
  // USB port on the right side (x = W): u along y, w downwards
  p.save();
  p.setTransform(affine(iso.p(lp.W, 0, lp.H), iso.v(0, 1, 0), iso.v(0, 0, -1)), true);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 46, 52));
  p.drawRect(QRectF(lp.portY, 1.4, 12.4, 5.2));
  p.setBrush(QColor(80, 140, 200));
  p.drawRect(QRectF(lp.portY + 1.2, 2.2, 10, 1.6));
  // a second port and a status light for realism
  p.setBrush(QColor(40, 46, 52));
  p.drawRect(QRectF(lp.portY + 20, 1.4, 12.4, 5.2));
  p.setBrush(QColor(80, 200, 120));
  p.drawEllipse(QPointF(lp.D - 8, 4), 1.1, 1.1);
  p.restore();
}

// The adapter lying along x with its plug towards -x; `x0` is where the plug starts,
// the cross-section is centred on (yc, zc).
void drawAdapter(QPainter& p, const Iso& iso, const Adapter& a, qreal x0, qreal yc, qreal zc, bool plugVisible,
                 bool shadow) {
  const qreal bx0 = x0 + a.plugL, bx1 = bx0 + a.bodyL;
  const qreal by0 = yc - a.bodyW / 2, by1 = yc + a.bodyW / 2;
  const qreal bz0 = zc - a.bodyH / 2, bz1 = zc + a.bodyH / 2;
  if (shadow) groundShadow(p, iso, (plugVisible ? x0 : bx0), by0, bx1, by1 + 1, 4, 110);
  if (plugVisible) {
    BoxStyle metal{QColor(246, 248, 250), QColor(196, 204, 210), QColor(182, 190, 197), QColor(160, 168, 175),
                   QColor(130, 140, 148, 180), 0.6};
    QTransform top;
    roundedBox(p, iso, x0, yc - a.plugW / 2, zc - a.plugH / 2, bx0 + 1, yc + a.plugW / 2, zc + a.plugH / 2, metal, &top);
    p.save();
    p.setTransform(top, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 78, 86));
    p.drawRect(QRectF(3, a.plugW * 0.25, 2.4, 2.2));
    p.drawRect(QRectF(3, a.plugW * 0.62, 2.4, 2.2));
    p.restore();
  }
  if (a.model == Model::Main) {
    BoxStyle shell{QColor(92, 100, 108), QColor(44, 50, 56), QColor(52, 58, 64), QColor(34, 39, 44),
                   QColor(20, 24, 28, 200), 3.2};
    QTransform top;
    roundedBox(p, iso, bx0, by0, bz0, bx1, by1, bz1, shell, &top);
    p.save();
    p.setTransform(top, true);
    p.setPen(Qt::NoPen);
    // blue light line and a gloss band
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawRoundedRect(QRectF(2, 1.5, a.bodyL - 4, a.bodyW * 0.35), 2, 2);
    QLinearGradient led(QPointF(4, 0), QPointF(a.bodyL - 6, 0));
    led.setColorAt(0, alpha(pal::linkBlue, 40));
    led.setColorAt(0.4, QColor(90, 210, 255));
    led.setColorAt(1, alpha(pal::linkBlue, 200));
    p.setBrush(led);
    p.drawRoundedRect(QRectF(6, a.bodyW / 2 - 0.9, a.bodyL - 14, 1.8), 0.9, 0.9);
    p.restore();
  } else {
    BoxStyle shell{QColor(252, 253, 254), QColor(214, 221, 226), QColor(200, 207, 213), QColor(178, 186, 193),
                   QColor(150, 160, 168, 200), 4};
    QTransform top;
    roundedBox(p, iso, bx0, by0, bz0, bx1, by1, bz1, shell, &top);
    p.save();
    p.setTransform(top, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 109, 200));
    p.drawRoundedRect(QRectF(5, 3, 12, a.bodyW - 6), 2, 2);  // dark window with the status light
    p.setBrush(QColor(120, 220, 255));
    p.drawEllipse(QPointF(11, a.bodyW / 2), 1.5, 1.5);
    p.restore();
    // fold-up antenna at the far end, standing on the body
    const QPointF foot = iso.p(bx1 - 6, yc, bz1);
    const QPointF tip = iso.p(bx1 - 8, yc - 2, bz1 + 26);
    p.setPen(QPen(QColor(30, 36, 42), 5.2 * iso.scale, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, tip);
    p.setPen(QPen(QColor(92, 100, 108), 1.6 * iso.scale, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot + QPointF(-1.0, -2) * iso.scale, tip + QPointF(-1.0, 1) * iso.scale);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(46, 52, 58));
    p.drawEllipse(foot, 4.2 * iso.scale, 2.4 * iso.scale);
  }
}

// ---- scenes ----------------------------------------------------------------------------

Model modelOf(const Request& rq) {
  return rq.args.value(0) == QLatin1String("sibling") ? Model::Sibling : Model::Main;
}

void arrowTowards(QPainter& p, QPointF from, QPointF to, qreal width, const QColor& c) {
  const QPointF d = to - from;
  const qreal len = std::hypot(d.x(), d.y());
  const QPointF u = d / len, n(-u.y(), u.x());
  const qreal head = width * 2.2;
  QPainterPath a;
  a.moveTo(from + n * width / 2);
  a.lineTo(to - u * head + n * width / 2);
  a.lineTo(to - u * head + n * head * 0.9);
  a.lineTo(to);
  a.lineTo(to - u * head - n * head * 0.9);
  a.lineTo(to - u * head - n * width / 2);
  a.lineTo(from - n * width / 2);
  a.closeSubpath();
  QLinearGradient g(from, to);
  g.setColorAt(0, alpha(c, 0));
  g.setColorAt(0.45, alpha(c, 180));
  g.setColorAt(1, c);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(a);
}

QImage laptopScene(const Request& rq, bool plugged) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const Laptop lp;
  const Adapter ad(modelOf(rq));
  Iso iso{QPointF(122, 112), 1.02};
  drawLaptop(p, iso, lp, plugged);
  const qreal yc = lp.portY + 6.2, zc = 4.0;
  if (plugged) {
    drawAdapter(p, iso, ad, lp.W - ad.plugL, yc, zc, false, true);
    const QPointF end = iso.p(lp.W + ad.bodyL - 6, yc - 4, zc + 8);
    drawWaves(p, end, 62, 12, 10, 3, alpha(pal::linkBlue, 230), 3.4);
    const QRectF box = drawBadge(p, QPointF(rq.width - 54, 50), 34, QColor(92, 200, 110), pal::greenDark);
    drawCheckMark(p, box.adjusted(3, 4, -3, -3), Qt::white, 7);
  } else {
    const qreal gap = 26;
    drawAdapter(p, iso, ad, lp.W + gap, yc, zc, true, true);
    // motion: an arrow above the adapter pointing at the port
    const QPointF from = iso.p(lp.W + gap + ad.plugL + 30, yc, zc + 16);
    const QPointF to = iso.p(lp.W + 6, yc, zc + 16);
    arrowTowards(p, from, to, 5, pal::linkBlue);
  }
  return img;
}

QImage insert(const Request& rq) { return laptopScene(rq, false); }
QImage success(const Request& rq) { return laptopScene(rq, true); }

QImage question(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const Adapter ad(modelOf(rq));
  // centre the adapter in the lower part of the picture
  const qreal length = ad.plugL + ad.bodyL;
  Iso iso{QPointF(0, 0), 2.6};
  iso.origin = QPointF(rq.width * 0.44, rq.height * 0.68) - iso.v(length / 2, 20, ad.bodyH / 2);
  drawAdapter(p, iso, ad, 0, 20, ad.bodyH / 2 + 0.3, true, true);
  // the adapter calls but nothing answers: faint, broken rings
  const QPointF end = iso.p(length - 6, 14, ad.bodyH + 6);
  p.save();
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 3; ++i) {
    const qreal r = 14 + 11 * i;
    QPen pen(QColor(0, 153, 203, 110 - 30 * i), 3.2, Qt::CustomDashLine, Qt::RoundCap);
    pen.setDashPattern({1.6, 1.6});
    p.setPen(pen);
    p.drawArc(QRectF(end.x() - r, end.y() - r, 2 * r, 2 * r), 30 * 16, 70 * 16);
  }
  p.restore();
  const QRectF box = drawBadge(p, QPointF(rq.width - 66, 68), 42, QColor(236, 84, 76), pal::redDark);
  drawQuestionMark(p, box.adjusted(6, 2, -6, -2), Qt::white, 7.5);
  return img;
}

QImage router(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const qreal W = 104, D = 56, H = 15;
  Iso iso{QPointF(55, 38), 0.88};
  groundShadow(p, iso, -3, -3, W + 3, D + 5, 6, 120);
  // antennas at the back
  auto antenna = [&](qreal x) {
    const QPointF foot = iso.p(x, 4, H), tip = iso.p(x - 3, 2, H + 30);
    p.setPen(QPen(QColor(34, 40, 46), 5.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, tip);
    p.setPen(QPen(QColor(100, 108, 116), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot + QPointF(-1.3, -3), tip + QPointF(-1.3, 2));
  };
  antenna(12);
  antenna(W - 12);
  BoxStyle shell{QColor(250, 252, 253), QColor(212, 219, 224), QColor(190, 198, 204), QColor(166, 174, 181),
                 QColor(150, 160, 168, 200), 6};
  QTransform top;
  roundedBox(p, iso, 0, 0, 0, W, D, H, shell, &top);
  // front panel (y = D): status lights
  p.save();
  p.setTransform(affine(iso.p(0, D, H), iso.v(1, 0, 0), iso.v(0, 0, -1)), true);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 70, 109, 220));
  p.drawRoundedRect(QRectF(10, 5, 56, 5), 2.5, 2.5);
  for (int i = 0; i < 6; ++i) {
    p.setBrush(i == 2 ? QColor(110, 200, 255) : QColor(110, 220, 120));
    p.drawEllipse(QPointF(15 + i * 9, 7.5), 1.4, 1.4);
  }
  p.restore();
  // the WPS button on the top, lit
  p.save();
  p.setTransform(top, true);
  const QPointF bc(W - 20, D - 16);
  p.setPen(Qt::NoPen);
  QRadialGradient glow(bc, 16);
  glow.setColorAt(0, QColor(0, 153, 203, 120));
  glow.setColorAt(1, QColor(0, 153, 203, 0));
  p.setBrush(glow);
  p.drawEllipse(bc, 16, 16);
  p.setBrush(vGrad(QRectF(bc.x() - 9, bc.y() - 9, 18, 18), QColor(60, 190, 235), QColor(0, 110, 160)));
  p.drawEllipse(bc, 9, 9);
  drawWpsMark(p, bc, 6.2, Qt::white);
  // vents
  p.setBrush(QColor(160, 170, 178));
  for (int i = 0; i < 5; ++i) p.drawRoundedRect(QRectF(14 + i * 9, 14, 5, D - 30), 2.5, 2.5);
  p.restore();
  // the WPS mark again, large, on a badge over the router
  const QPointF badge(rq.width - 30, 32);
  drawBadge(p, badge, 25, Qt::white, QColor(214, 226, 234));
  drawWpsMark(p, badge, 16, pal::linkBlue);
  return img;
}

QImage document(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  // the sheet, slightly turned
  p.save();
  p.translate(100, 100);
  p.rotate(-5);
  const QRectF sheet(-72, -88, 140, 176);
  const qreal fold = 26;
  QPainterPath paper;
  paper.moveTo(sheet.topLeft());
  paper.lineTo(sheet.right() - fold, sheet.top());
  paper.lineTo(sheet.right(), sheet.top() + fold);
  paper.lineTo(sheet.bottomRight());
  paper.lineTo(sheet.bottomLeft());
  paper.closeSubpath();
  softShadow(p, paper, 7, QPointF(2, 4), QColor(0, 30, 50, 90));
  p.setPen(QPen(QColor(186, 200, 210), 1));
  p.setBrush(vGrad(sheet, Qt::white, QColor(240, 244, 247)));
  p.drawPath(paper);
  QPainterPath corner;
  corner.moveTo(sheet.right() - fold, sheet.top());
  corner.lineTo(sheet.right() - fold, sheet.top() + fold);
  corner.lineTo(sheet.right(), sheet.top() + fold);
  corner.closeSubpath();
  p.setBrush(vGrad(QRectF(0, sheet.top(), 1, fold), QColor(214, 224, 231), QColor(190, 204, 214)));
  p.drawPath(corner);
  // heading and text lines
  p.setPen(Qt::NoPen);
  p.setBrush(pal::textBlue);
  p.drawRoundedRect(QRectF(sheet.left() + 14, sheet.top() + 16, 66, 7), 3.5, 3.5);
  p.setBrush(pal::linkBlue);
  p.drawRoundedRect(QRectF(sheet.left() + 14, sheet.top() + 28, 40, 4), 2, 2);
  for (int i = 0; i < 10; ++i) {
    const qreal y = sheet.top() + 46 + i * 11;
    const qreal w = (i % 4 == 3) ? 62 : 110 - (i % 3) * 8;
    p.setBrush(QColor(150, 170, 184));
    p.drawRoundedRect(QRectF(sheet.left() + 14, y, w, 3.6), 1.8, 1.8);
  }
  p.restore();
  // the magnifier
  const QPointF c(142, 128);
  const qreal r = 44;
  // handle
  p.save();
  p.translate(c);
  p.rotate(45);
  QPainterPath handle = roundRect(QRectF(r + 2, -8, 48, 16), 8);
  softShadow(p, handle, 5, QPointF(2, 3), QColor(0, 30, 50, 90));
  p.setPen(Qt::NoPen);
  p.setBrush(vGrad(QRectF(0, -8, 1, 16), QColor(96, 104, 112), QColor(32, 38, 44)));
  p.drawPath(handle);
  p.setBrush(vGrad(QRectF(0, -6, 1, 12), QColor(200, 208, 214), QColor(130, 140, 148)));
  p.drawRoundedRect(QRectF(r - 3, -6, 10, 12), 2, 2);
  p.restore();
  QPainterPath lens;
  lens.addEllipse(c, r, r);
  softShadow(p, lens, 6, QPointF(2, 4), QColor(0, 30, 50, 80));
  // what the lens shows: the text enlarged, tinted
  p.save();
  p.setClipPath(lens);
  p.fillRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), QColor(244, 250, 253));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(170, 196, 212));
  for (int i = 0; i < 4; ++i)
    p.drawRoundedRect(QRectF(c.x() - r + 4, c.y() - 30 + i * 20, 2 * r - (i % 2 ? 30 : 12), 6), 3, 3);
  p.setBrush(QColor(0, 153, 203, 36));
  p.drawEllipse(c, r, r);
  p.restore();
  drawCheckMark(p, QRectF(c.x() - 24, c.y() - 22, 48, 42), QColor(255, 255, 255, 220), 13);
  drawCheckMark(p, QRectF(c.x() - 24, c.y() - 22, 48, 42), pal::green, 9);
  // glass highlight and the metal ring
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 150), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(c.x() - r + 9, c.y() - r + 9, 2 * r - 18, 2 * r - 18), 100 * 16, 60 * 16);
  QLinearGradient ring(c + QPointF(-r, -r), c + QPointF(r, r));
  ring.setColorAt(0, QColor(40, 170, 220));
  ring.setColorAt(1, pal::textBlue);
  p.setPen(QPen(QBrush(ring), 9));
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1.2));
  p.drawEllipse(c, r - 3.2, r - 3.2);
  return img;
}

QImage wpsPress(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  const QPointF c(rq.width / 2.0, rq.height / 2.0 + 5);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 2; ++i) {
    p.setPen(QPen(QColor(0, 153, 203, 120 - 50 * i), 2));
    p.drawEllipse(c, 19.5 + 4.5 * i, 19.5 + 4.5 * i);
  }
  drawBadge(p, c, 16, QColor(60, 190, 235), QColor(0, 100, 150));
  drawWpsMark(p, c, 10, Qt::white);
  // press arrow
  arrowTowards(p, QPointF(c.x(), 0), QPointF(c.x(), c.y() - 17), 3.5, pal::textBlue);
  return img;
}

QImage wpsPair(const Request& rq) {
  QImage img = newImage(rq.width, rq.height);
  QPainter p;
  begin(p, img);
  // a small laptop seen from the front
  const QRectF lid(14, 18, 42, 28);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(46, 52, 58));
  p.drawRoundedRect(lid, 3, 3);
  const QRectF screen = lid.adjusted(3, 3, -3, -3);
  p.fillRect(screen, vGrad(screen, QColor(28, 150, 200), QColor(0, 72, 112)));
  p.save();
  p.setClipRect(screen);
  p.setBrush(QColor(255, 255, 255, 30));
  p.drawEllipse(QPointF(screen.left() + 6, screen.bottom()), screen.width() * 0.7, screen.height() * 0.5);
  p.restore();
  drawTesraMark(p, screen.center(), 7);
  QPainterPath base;
  base.moveTo(8, 47);
  base.lineTo(62, 47);
  base.lineTo(66, 52);
  base.lineTo(4, 52);
  base.closeSubpath();
  p.setBrush(vGrad(QRectF(0, 47, 1, 5), QColor(230, 235, 239), QColor(170, 180, 188)));
  p.drawPath(base);
  drawWaves(p, QPointF(35, 18), 90, 6, 5, 2, pal::linkBlue, 2.2);
  const QRectF box = drawBadge(p, QPointF(58, 12), 9, QColor(92, 200, 110), pal::greenDark);
  drawCheckMark(p, box.adjusted(1, 1.5, -1, -1), Qt::white, 2.2);
  return img;
}

}  // namespace

void addIllustrationRenderers(RendererTable& t) {
  t[QStringLiteral("insert")] = insert;
  t[QStringLiteral("success")] = success;
  t[QStringLiteral("question")] = question;
  t[QStringLiteral("router")] = router;
  t[QStringLiteral("document")] = document;
  t[QStringLiteral("wps-press")] = wpsPress;
  t[QStringLiteral("wps-pair")] = wpsPair;
}

}  // namespace picgen
