#include "imagewriter.h"

#include <QFile>

#include <FreeImage.h>

#include <memory>

namespace chartrender {

namespace {

struct BitmapDeleter {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapDeleter>;

// FreeImage rows run bottom-up.
Bitmap toBitmap(const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    if (image.format() == QImage::Format_RGBX64) {
        Bitmap bitmap(FreeImage_AllocateT(FIT_RGB16, w, h));
        if (!bitmap)
            return bitmap;
        for (int y = 0; y < h; ++y) {
            const quint16* in = reinterpret_cast<const quint16*>(image.constScanLine(y));
            auto* out = reinterpret_cast<FIRGB16*>(FreeImage_GetScanLine(bitmap.get(), h - 1 - y));
            for (int x = 0; x < w; ++x)
                out[x] = FIRGB16{in[x * 4], in[x * 4 + 1], in[x * 4 + 2]};
        }
        return bitmap;
    }
    Bitmap bitmap(FreeImage_Allocate(w, h, 24));
    if (!bitmap)
        return bitmap;
    for (int y = 0; y < h; ++y) {
        const uchar* in = image.constScanLine(y);
        BYTE* out = FreeImage_GetScanLine(bitmap.get(), h - 1 - y);
        for (int x = 0; x < w; ++x) {
            out[x * 3 + FI_RGBA_RED] = in[x * 3];
            out[x * 3 + FI_RGBA_GREEN] = in[x * 3 + 1];
            out[x * 3 + FI_RGBA_BLUE] = in[x * 3 + 2];
        }
    }
    return bitmap;
}

} // namespace

bool saveImage(const QImage& image, const QString& path, const QString& format,
               const QByteArray& iccProfile, QString* error) {
    const bool deep = image.format() == QImage::Format_RGBX64;
    FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
    int flags = 0;
    if (format == u"tif") {
        fif = FIF_TIFF;
        flags = TIFF_LZW;
    } else if (format == u"png") {
        fif = FIF_PNG;
        flags = PNG_DEFAULT;
    } else if (format == u"jpg" && !deep) {
        fif = FIF_JPEG;
        flags = 95; // quality
    } else {
        *error = deep && format == u"jpg"
                     ? QStringLiteral("JPEG holds 8 bits per channel only")
                     : QStringLiteral("unknown image format \"%1\"").arg(format);
        return false;
    }
    Bitmap bitmap = toBitmap(image);
    if (!bitmap) {
        *error = QStringLiteral("out of memory for a %1 x %2 image")
                     .arg(image.width())
                     .arg(image.height());
        return false;
    }
    if (!iccProfile.isEmpty() &&
        !FreeImage_CreateICCProfile(bitmap.get(), const_cast<char*>(iccProfile.constData()),
                                    long(iccProfile.size()))) {
        *error = QStringLiteral("FreeImage could not attach the ICC profile");
        return false;
    }
    if (!FreeImage_Save(fif, bitmap.get(), QFile::encodeName(path).constData(), flags)) {
        *error = QStringLiteral("FreeImage could not write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace chartrender
