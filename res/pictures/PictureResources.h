// Where the generated pictures live in the program's resources.
#pragma once

#include <QString>

namespace tc::pictures {

// ":/png/ID.png": the PNG pictures (backgrounds, faces, illustrations).
QString pngPath(int id);
// ":/bmp/ID.png": the opaque bitmaps (busy frames, list strip, combo faces), pure
// white being their transparent colour.
QString bmpPath(int id);
// ":/avi/ID_N.png": frame N of an animation.
QString aviFramePath(int id, int frame);
// Number of frames of animation `id` found in the resources (0 when there is none).
int aviFrameCount(int id);
// ":/ico/ID.png" (32 x 32) and ":/ico/ID_16.png" (16 x 16).
QString iconPath(int id, int size);

}  // namespace tc::pictures
