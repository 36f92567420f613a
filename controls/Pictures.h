#pragma once
// The program's pictures by resource ID: PNG resources (":/png/ID.png") and bitmaps
// (":/bmp/ID.png"). A missing picture is a null image.
#include <QImage>

QImage LoadPngResource(int id);
QImage LoadBitmapResource(int id);
