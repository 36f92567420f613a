#include "controls/Pictures.h"

#include <QString>

QImage LoadPngResource(int id) { return QImage(QStringLiteral(":/png/%1.png").arg(id)); }

QImage LoadBitmapResource(int id) { return QImage(QStringLiteral(":/bmp/%1.png").arg(id)); }
