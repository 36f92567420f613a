// Every picture is made by a named renderer; the manifest names the renderer and its
// arguments for each picture.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

namespace picgen {

struct Request {
  int width = 0;
  int height = 0;
  QStringList args;
  int frame = 0;   // animations: which frame
  int frames = 1;  // animations: how many frames
  bool has(const char* word) const { return args.contains(QLatin1String(word)); }
};

using Renderer = std::function<QImage(const Request&)>;
using RendererTable = std::map<QString, Renderer>;

// Each picture family adds its renderers to the table.
void addChromeRenderers(RendererTable& t);         // backgrounds, dialogs, buttons, fields
void addSymbolRenderers(RendererTable& t);         // logo, icons, marks, list strip, spinners
void addIllustrationRenderers(RendererTable& t);   // laptop, adapter, router, document

const RendererTable& renderers();

}  // namespace picgen
