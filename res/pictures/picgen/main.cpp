// picgen: draws every picture of the program from the manifest.
//
//   picgen --manifest pictures.list --out DIR          write DIR/png/ID.png, bmp/, avi/, ico/
//   picgen --manifest pictures.list --contact-sheet F  write one PNG with every picture
//   picgen --manifest pictures.list --icon ID --sizes 16,32,48 --name N --out DIR
//        draw icon ID at each size, for the desktop's icon theme: DIR/SxS/apps/N.png
#include "ContactSheet.h"
#include "Manifest.h"
#include "Renderers.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace picgen {

const RendererTable& renderers() {
  static const RendererTable table = [] {
    RendererTable t;
    addChromeRenderers(t);
    addSymbolRenderers(t);
    addIllustrationRenderers(t);
    return t;
  }();
  return table;
}

bool isOpaque(const QImage& img) {
  const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(line[x]) != 255) return false;
  }
  return true;
}

// Renders every frame of one entry; bitmaps and icons come out in their final format.
bool renderEntry(const PictureEntry& e, std::vector<QImage>& frames, QString& error) {
  const auto it = renderers().find(e.renderer);
  if (it == renderers().end()) {
    error = QStringLiteral("line %1: no renderer \"%2\"").arg(e.line).arg(e.renderer);
    return false;
  }
  for (int f = 0; f < e.frames; ++f) {
    Request rq{e.width, e.height, e.args, f, e.frames};
    QImage img = it->second(rq);
    if (img.size() != QSize(e.width, e.height)) {
      error = QStringLiteral("line %1: renderer \"%2\" drew %3x%4, the manifest says %5x%6")
                  .arg(e.line).arg(e.renderer).arg(img.width()).arg(img.height()).arg(e.width).arg(e.height);
      return false;
    }
    // Bitmaps are opaque; everything else keeps its transparency where it has any.
    img = img.convertToFormat(e.kind == QLatin1String("bmp") || isOpaque(img) ? QImage::Format_RGB32
                                                                               : QImage::Format_ARGB32);
    frames.push_back(img);
  }
  return true;
}

}  // namespace picgen

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: picgen --manifest FILE (--out DIR | --contact-sheet FILE.png)\n"
               "       picgen --manifest FILE --icon ID --sizes N,N,... --name NAME --out DIR\n");
  return 2;
}

// The icon's own renderer, drawn at each size rather than scaled from one bitmap.
int writeThemeIcons(const std::vector<picgen::PictureEntry>& entries, const QString& id, const QString& sizes,
                    const QString& name, const QString& outDir) {
  const auto icon = std::find_if(entries.begin(), entries.end(), [&](const picgen::PictureEntry& e) {
    return e.kind == QLatin1String("ico") && e.id == id;
  });
  if (icon == entries.end()) {
    std::fprintf(stderr, "picgen: no icon %s in the manifest\n", qPrintable(id));
    return 1;
  }
  for (const QString& text : sizes.split(QLatin1Char(','))) {
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok || size < 16 || size > 1024) {
      std::fprintf(stderr, "picgen: icon size \"%s\" is not a number from 16 to 1024\n", qPrintable(text));
      return 2;
    }
    picgen::PictureEntry entry = *icon;
    entry.width = entry.height = size;
    std::vector<QImage> frames;
    QString error;
    if (!picgen::renderEntry(entry, frames, error)) {
      std::fprintf(stderr, "picgen: %s\n", qPrintable(error));
      return 1;
    }
    const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(outDir).arg(size).arg(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!frames.front().save(path, "PNG")) {
      std::fprintf(stderr, "picgen: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QString manifest, outDir, sheet, icon, sizes, name;
  for (int i = 1; i < argc; ++i) {
    const QString a = QString::fromLocal8Bit(argv[i]);
    if (i + 1 >= argc) return usage();
    if (a == QLatin1String("--manifest")) manifest = QString::fromLocal8Bit(argv[++i]);
    else if (a == QLatin1String("--out")) outDir = QString::fromLocal8Bit(argv[++i]);
    else if (a == QLatin1String("--contact-sheet")) sheet = QString::fromLocal8Bit(argv[++i]);
    else if (a == QLatin1String("--icon")) icon = QString::fromLocal8Bit(argv[++i]);
    else if (a == QLatin1String("--sizes")) sizes = QString::fromLocal8Bit(argv[++i]);
    else if (a == QLatin1String("--name")) name = QString::fromLocal8Bit(argv[++i]);
    else return usage();
  }
  if (!icon.isEmpty() && (sizes.isEmpty() || name.isEmpty() || !sheet.isEmpty())) return usage();
  if (manifest.isEmpty() || (outDir.isEmpty() == sheet.isEmpty())) return usage();

  std::vector<picgen::PictureEntry> entries;
  QString error;
  if (!picgen::readManifest(manifest, entries, error)) {
    std::fprintf(stderr, "picgen: %s\n", qPrintable(error));
    return 1;
  }
  if (!icon.isEmpty()) return writeThemeIcons(entries, icon, sizes, name, outDir);

  std::vector<std::vector<QImage>> images;
  for (const auto& e : entries) {
    std::vector<QImage> frames;
    if (!picgen::renderEntry(e, frames, error)) {
      std::fprintf(stderr, "picgen: %s: %s\n", qPrintable(manifest), qPrintable(error));
      return 1;
    }
    images.push_back(std::move(frames));
  }

  if (!sheet.isEmpty()) {
    // Labels need fonts, and fonts need the GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage page = picgen::contactSheet(entries, images);
    if (!page.save(sheet, "PNG")) {
      std::fprintf(stderr, "picgen: cannot write %s\n", qPrintable(sheet));
      return 1;
    }
    return 0;
  }

  for (size_t i = 0; i < entries.size(); ++i) {
    const QStringList files = entries[i].files();
    for (int f = 0; f < files.size(); ++f) {
      const QString path = QDir(outDir).filePath(files[f]);
      QDir().mkpath(QFileInfo(path).absolutePath());
      if (!images[i][f].save(path, "PNG")) {
        std::fprintf(stderr, "picgen: cannot write %s\n", qPrintable(path));
        return 1;
      }
    }
  }
  return 0;
}
