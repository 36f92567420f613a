#include "lab/PngFile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace lab {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// libpng reports errors through longjmp; the handlers keep the message and jump back.
void OnPngError(png_structp png, png_const_charp message)
{
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error) *error = message;
    png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

}  // namespace

bool WritePng(const QImage& image, const std::string& path, std::string* error)
{
    std::string message;
    // 32-bit pixels as they are in memory (B, G, R, X on a little-endian machine): libpng
    // drops the fourth byte itself, so no copy of the screen is made.
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_ARGB32);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, nullptr);
        if (error) *error = path + ": out of memory";
        return false;
    }
    std::vector<png_const_bytep> rows(static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) rows[static_cast<std::size_t>(y)] = rgb.constScanLine(y);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (error) *error = path + ": " + message;
        return false;
    }
    png_init_io(png, file.get());
    // Screens are mostly flat colour: the Sub filter with a fast level keeps files small
    // and costs a fraction of trying every filter on every row.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb.width()), static_cast<png_uint_32>(rgb.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace lab
