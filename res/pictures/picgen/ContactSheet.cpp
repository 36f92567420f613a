#include "ContactSheet.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace picgen {
namespace {

constexpr int kPageWidth = 1640;
constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kFrameGap = 4;

QBrush checkerboard() {
  QImage tile(16, 16, QImage::Format_RGB32);
  tile.fill(QColor(204, 204, 204));
  QPainter p(&tile);
  p.fillRect(0, 0, 8, 8, QColor(178, 178, 178));
  p.fillRect(8, 8, 8, 8, QColor(178, 178, 178));
  return QBrush(tile);
}

struct Cell {
  size_t index;
  QSize content;  // pictures of the entry side by side
  QRect at;
};

}  // namespace

QImage contactSheet(const std::vector<PictureEntry>& entries, const std::vector<std::vector<QImage>>& images) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  const QFontMetrics fm(font);
  const int labelH = fm.height() + 4;

  // Flow layout, in manifest order.
  std::vector<Cell> cells;
  int x = kMargin, y = kMargin, rowH = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const auto& frames = images[i];
    int w = 0, h = 0;
    for (const QImage& f : frames) {
      w += f.width() + (w ? kFrameGap : 0);
      h = std::max(h, f.height());
    }
    const QString label = QStringLiteral("%1 %2").arg(entries[i].kind, entries[i].id);
    const int cw = std::max(w, fm.horizontalAdvance(label) + 2);
    const int ch = h + labelH;
    if (x + cw > kPageWidth - kMargin && x > kMargin) {
      x = kMargin;
      y += rowH + kGap;
      rowH = 0;
    }
    cells.push_back({i, QSize(w, h), QRect(x, y, cw, ch)});
    x += cw + kGap;
    rowH = std::max(rowH, ch);
  }
  const int height = y + rowH + kMargin;

  QImage page(kPageWidth, height, QImage::Format_RGB32);
  page.fill(QColor(250, 250, 250));
  QPainter p(&page);
  p.setFont(font);
  const QBrush board = checkerboard();
  for (const Cell& c : cells) {
    const auto& e = entries[c.index];
    const QRect pics(c.at.topLeft(), c.content);
    p.fillRect(pics, board);
    int px = pics.left();
    for (const QImage& f : images[c.index]) {
      p.drawImage(px, pics.top(), f);
      px += f.width() + kFrameGap;
    }
    p.setPen(QColor(40, 40, 40));
    const QString size = e.frames > 1 ? QStringLiteral("%1x%2 x%3").arg(e.width).arg(e.height).arg(e.frames)
                                      : QStringLiteral("%1x%2").arg(e.width).arg(e.height);
    const QString label = QStringLiteral("%1 %2").arg(e.kind, e.id);
    const int ly = pics.bottom() + 2 + fm.ascent();
    p.drawText(c.at.left(), ly, label);
    const int full = fm.horizontalAdvance(label + QStringLiteral("  ") + size);
    if (full <= c.at.width()) {
      p.setPen(QColor(120, 120, 120));
      p.drawText(c.at.left() + fm.horizontalAdvance(label + QStringLiteral("  ")), ly, size);
    }
  }
  return page;
}

}  // namespace picgen
