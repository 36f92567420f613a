#include "Manifest.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace picgen {

QStringList PictureEntry::files() const {
  if (kind == QLatin1String("avi")) {
    QStringList out;
    for (int i = 0; i < frames; ++i) out << QStringLiteral("avi/%1_%2.png").arg(id).arg(i);
    return out;
  }
  return {QStringLiteral("%1/%2.png").arg(kind, id)};
}

bool readManifest(const QString& path, std::vector<PictureEntry>& out, QString& error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
    error = QStringLiteral("%1: cannot be read").arg(path);
    return false;
  }
  static const QRegularExpression line(
      QStringLiteral(R"(^(png|bmp|avi|ico)\s+([0-9]+(?:_[0-9]+)?)\s+([0-9]+)x([0-9]+)(?:x([0-9]+))?\s+(\S+)\s*(.*)$)"));
  QTextStream in(&f);
  int n = 0;
  while (!in.atEnd()) {
    const QString text = in.readLine().trimmed();
    ++n;
    if (text.isEmpty() || text.startsWith(QLatin1Char('#'))) continue;
    const auto m = line.match(text);
    if (!m.hasMatch()) {
      error = QStringLiteral("%1:%2: expected \"KIND ID WxH[xFRAMES] RENDERER description\"").arg(path).arg(n);
      return false;
    }
    PictureEntry e;
    e.kind = m.captured(1);
    e.id = m.captured(2);
    e.width = m.captured(3).toInt();
    e.height = m.captured(4).toInt();
    e.frames = m.captured(5).isEmpty() ? 1 : m.captured(5).toInt();
    const QStringList r = m.captured(6).split(QLatin1Char(':'));
    e.renderer = r.front();
    e.args = r.mid(1);
    e.description = m.captured(7);
    e.line = n;
    if ((e.kind == QLatin1String("avi")) != !m.captured(5).isEmpty() || e.frames < 1 || e.width < 1 ||
        e.height < 1) {
      error = QStringLiteral("%1:%2: a frame count belongs to avi lines, and only to them").arg(path).arg(n);
      return false;
    }
    out.push_back(e);
  }
  return true;
}

}  // namespace picgen
