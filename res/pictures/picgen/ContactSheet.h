#pragma once

#include "Manifest.h"

#include <QImage>
#include <vector>

namespace picgen {

// One page with every picture at its real size on a checkerboard, labelled with
// kind, ID and size. Needs a QGuiApplication (for the label font).
QImage contactSheet(const std::vector<PictureEntry>& entries, const std::vector<std::vector<QImage>>& images);

}  // namespace picgen
