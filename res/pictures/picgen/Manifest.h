// The picture manifest (pictures.list): one line per picture, read by the build to
// know what is generated and by picgen to know what to draw.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace picgen {

struct PictureEntry {
  QString kind;      // png, bmp, avi or ico
  QString id;        // resource ID (the file name without extension)
  int width = 0;
  int height = 0;
  int frames = 1;    // avi only: number of frames
  QString renderer;  // renderer name
  QStringList args;  // renderer arguments (the ':'-separated rest)
  QString description;
  int line = 0;

  // Output files, relative to the output folder ("png/196.png", "avi/337_0.png", ...).
  QStringList files() const;
};

// Reads the manifest; on a malformed line returns false with "FILE:LINE: reason".
bool readManifest(const QString& path, std::vector<PictureEntry>& out, QString& error);

}  // namespace picgen
