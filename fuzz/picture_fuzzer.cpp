// Picture decoding as the preview does it: the downloaded bytes decoded within the
// allocation limit, then drawn scaled into a face-sized box.

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_input.h"
#include "moxilo/catalogue/picture_decode.h"

namespace {

using moxilo::fuzz::require;

constexpr qsizetype kLimitBytes = qsizetype{moxilo::catalogue::kPictureAllocationLimitMiB} << 20;

void drawInBox(const QImage& picture) {
    QImage box(280, 220, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&box);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(box.rect(), picture);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QImage picture =
        moxilo::catalogue::decodePicture(std::span(reinterpret_cast<const char*>(data), size));
    if (!picture.isNull()) {
        require(picture.sizeInBytes() <= kLimitBytes, "a picture stays within the limit");
        drawInBox(picture);
    }
    return 0;
}
