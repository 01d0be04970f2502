#include "moxilo/catalogue/picture_decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace moxilo::catalogue {

QImage decodePicture(std::span<const char> bytes) {
    if (bytes.empty()) {
        return {};
    }
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
    QImage picture;
    if (!reader.read(&picture)) {
        return {};
    }
    return picture;
}

}  // namespace moxilo::catalogue
