#include "PictureResources.h"

#include <QFile>

namespace tc::pictures {

QString pngPath(int id) { return QStringLiteral(":/png/%1.png").arg(id); }

QString bmpPath(int id) { return QStringLiteral(":/bmp/%1.png").arg(id); }

QString aviFramePath(int id, int frame) { return QStringLiteral(":/avi/%1_%2.png").arg(id).arg(frame); }

int aviFrameCount(int id) {
  int n = 0;
  while (QFile::exists(aviFramePath(id, n))) ++n;
  return n;
}

QString iconPath(int id, int size) {
  return size == 16 ? QStringLiteral(":/ico/%1_16.png").arg(id) : QStringLiteral(":/ico/%1.png").arg(id);
}

}  // namespace tc::pictures
