#include "face_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <cstddef>

namespace moxilo::demo_site {
namespace {

constexpr QPointF kFaceCentre(140, 110);
constexpr QPointF kLeftEye(108, 92);
constexpr QPointF kRightEye(172, 92);
constexpr QPointF kMouth(140, 146);
constexpr int kJpegQuality = 90;

struct Features {
    int faceHue;
    int eyes;   // 0 dots, 1 happy arcs, 2 wide open
    int mouth;  // 0 smile, 1 open, 2 flat, 3 frown
    bool cheeks;
};

int digitAt(std::string_view id, std::size_t fromEnd) {
    if (fromEnd >= id.size()) {
        return 0;
    }
    const char c = id[id.size() - 1 - fromEnd];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

Features featuresOf(std::string_view id) {
    int number = 0;
    for (const char c : id) {
        number = (number * 10 + (c >= '0' && c <= '9' ? c - '0' : 0)) % 3600;
    }
    // 37 is prime to 360: ids whose difference is no multiple of 360 differ in colour.
    return {number * 37 % 360, digitAt(id, 0) % 3, digitAt(id, 1) % 4,
            !id.empty() && digitAt(id, id.size() - 1) % 2 == 1};
}

void drawEye(QPainter& painter, QPointF centre, int style, const QPen& outline) {
    painter.setPen(outline);
    switch (style) {
        case 0:
            painter.setBrush(Qt::black);
            painter.drawEllipse(centre, 10, 10);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::white);
            painter.drawEllipse(centre + QPointF(3, -3), 3, 3);
            break;
        case 1: {
            QPainterPath arc;
            arc.moveTo(centre + QPointF(-13, 5));
            arc.quadTo(centre + QPointF(0, -14), centre + QPointF(13, 5));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(arc);
            break;
        }
        default:
            painter.setBrush(Qt::white);
            painter.drawEllipse(centre, 14, 17);
            painter.setBrush(Qt::black);
            painter.drawEllipse(centre + QPointF(0, 3), 7, 8);
            break;
    }
}

void drawMouth(QPainter& painter, int style, const QPen& outline) {
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    QPainterPath path;
    switch (style) {
        case 0:
            path.moveTo(kMouth + QPointF(-32, -6));
            path.quadTo(kMouth + QPointF(0, 26), kMouth + QPointF(32, -6));
            painter.drawPath(path);
            break;
        case 1:
            painter.setBrush(QColor(150, 30, 40));
            painter.drawEllipse(kMouth, 18, 22);
            break;
        case 2:
            painter.drawLine(kMouth + QPointF(-26, 0), kMouth + QPointF(26, 0));
            break;
        default:
            path.moveTo(kMouth + QPointF(-28, 12));
            path.quadTo(kMouth + QPointF(0, -14), kMouth + QPointF(28, 12));
            painter.drawPath(path);
            break;
    }
}

QImage paintFace(const Features& features) {
    QImage image(kFacePictureWidth, kFacePictureHeight, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((features.faceHue + 180) % 360, 40, 250));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(60, 40, 30), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    painter.setPen(outline);
    painter.setBrush(QColor::fromHsv(features.faceHue, 110, 255));
    painter.drawEllipse(kFaceCentre, 92, 86);

    if (features.cheeks) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 90, 120, 150));
        painter.drawEllipse(kLeftEye + QPointF(-14, 34), 15, 9);
        painter.drawEllipse(kRightEye + QPointF(14, 34), 15, 9);
    }
    drawEye(painter, kLeftEye, features.eyes, outline);
    drawEye(painter, kRightEye, features.eyes, outline);
    drawMouth(painter, features.mouth, outline);
    painter.end();
    return image;
}

}  // namespace

std::string drawFacePicture(std::string_view id) {
    const QImage image = paintFace(featuresOf(id));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image)) {
        return {};
    }
    return jpeg.toStdString();
}

}  // namespace moxilo::demo_site
