#include "moxilo/export/picture_copy.h"

#include <QClipboard>
#include <QMimeData>
#include <QPixmap>
#include <QWidget>

#include <limits>

#include "moxilo/export/bmp.h"

namespace moxilo::exporting {

QImage snapshot(QWidget& window, const QRect& region, QSize size) {
    if (region.isEmpty() || size.isEmpty()) {
        return {};
    }
    QImage image = window.grab(region).toImage();
    if (image.isNull()) {
        return {};
    }
    if (image.size() != size) {
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(1.0);
    return image.convertToFormat(QImage::Format_RGB32);
}

std::vector<std::uint8_t> snapshotBytes(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage pixels = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    const auto stride = static_cast<std::size_t>(pixels.bytesPerLine()) / sizeof(std::uint32_t);
    const auto* first = reinterpret_cast<const std::uint32_t*>(pixels.constBits());
    const std::size_t count = stride * static_cast<std::size_t>(pixels.height());
    return encodeBmp24({{first, count}, pixels.width(), pixels.height(), stride});
}

bool copyToClipboard(const QImage& picture, QClipboard& clipboard) {
    const std::vector<std::uint8_t> bmp = snapshotBytes(picture);
    if (bmp.empty() ||
        bmp.size() > static_cast<std::size_t>(std::numeric_limits<qsizetype>::max())) {
        return false;  // keep the clipboard's previous content
    }
    auto* offered = new QMimeData;  // the clipboard takes it over
    offered->setImageData(picture);
    // Pasting as BMP gets these very bytes; other picture formats Qt makes from the image.
    offered->setData(
        QString::fromLatin1(kBmpMimeType),
        QByteArray(reinterpret_cast<const char*>(bmp.data()), static_cast<qsizetype>(bmp.size())));
    clipboard.setMimeData(offered);
    return true;
}

}  // namespace moxilo::exporting
