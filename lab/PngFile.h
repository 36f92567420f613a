#pragma once
// Screenshots as PNG files: opaque 8-bit RGB, the same bytes for the same pixels on
// every run, written quickly (one row filter, a fast compression level).
#include <QImage>

#include <string>

namespace lab {

// Writes the image's colours (alpha dropped) to path; false with *error set when the
// file cannot be written.
bool WritePng(const QImage& image, const std::string& path, std::string* error);

}  // namespace lab
