#include "desktop_support.h"

#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>

namespace moxilo::desktop_test {

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}

int differingPixels(const QImage& a, const QImage& b, int tolerance) {
    if (a.size() != b.size()) {
        return a.width() * a.height() + 1;
    }
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            differing += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > tolerance ? 1 : 0;
        }
    }
    return differing;
}

int darkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
        }
    }
    return dark;
}

std::optional<QImage> pastedPicture(const QString& program, const QStringList& arguments,
                                    const QProcessEnvironment& environment) {
    QProcess reader;
    reader.setProcessEnvironment(environment);
    reader.start(program, arguments);
    if (!reader.waitForFinished(10'000)) {
        stop(reader);
        return std::nullopt;
    }
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        return std::nullopt;
    }
    const QImage picture = QImage::fromData(reader.readAllStandardOutput(), "PNG");
    return picture.isNull() ? std::nullopt
                            : std::optional(picture.convertToFormat(QImage::Format_RGB32));
}

std::optional<QImage> clipboardPicture(const e2e::XSession& session) {
    return pastedPicture(
        QStringLiteral("xclip"),
        {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
         QStringLiteral("-t"), QStringLiteral("image/png")},
        session.environment());
}

void putTextOnClipboard(const e2e::XSession& session, const QByteArray& text) {
    QProcess xclip;
    xclip.setProcessEnvironment(session.environment());
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard")});
    xclip.write(text);
    xclip.closeWriteChannel();
    // xclip serves the text from a background copy of itself; the one started here ends.
    if (!xclip.waitForFinished(10'000)) {
        stop(xclip);
        ADD_FAILURE() << "xclip did not take the clipboard";
    }
}

QString fontconfigMatch(const QString& language) {
    return QString::fromUtf8(e2e::runCommand(
        QStringLiteral("fc-match"),
        {QStringLiteral("-f"), QStringLiteral("%{family[0]}"), QStringLiteral(":lang=") + language},
        QProcessEnvironment::systemEnvironment()));
}

}  // namespace moxilo::desktop_test
