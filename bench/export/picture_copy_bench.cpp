// The copy button's work on the real main window, shown offscreen with a face in the
// picture box and both captions typed: the snapshot of the picture frame, its 24-bit BMP
// bytes and the clipboard. Timed against a bare QWidget::grab of the same region in the
// same run. Counters: copy_ms (median, the whole copy), grab_ms (median, the bare grab)
// and vs_grab, the one over the other.

#include <benchmark/benchmark.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QTest>

#include "moxilo/app/main_window.h"
#include "moxilo/bench/run_timing.h"
#include "moxilo/export/picture_copy.h"
#include "widgets/picture_box.h"
#include "widgets/transparent_label.h"

namespace moxilo::bench {
namespace {

// A face of the picture box's size with smooth shading and sharp edges, as the site's
// rendered faces have.
QImage makeFace(QSize size) {
    QImage face(size, QImage::Format_RGB32);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(QPointF(size.width() * 0.4, size.height() * 0.35), size.width() * 0.8);
    shade.setColorAt(0, QColor(255, 236, 179));
    shade.setColorAt(1, QColor(214, 140, 46));
    painter.fillRect(face.rect(), Qt::white);
    painter.setBrush(shade);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(face.rect().adjusted(20, 10, -20, -10));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(size.width() / 3, size.height() / 3), 12, 16);
    painter.drawEllipse(QPoint(size.width() * 2 / 3, size.height() / 3), 12, 16);
    painter.drawArc(QRect(size.width() / 3, size.height() / 2, size.width() / 3, 40), 200 * 16,
                    140 * 16);
    return face;
}

// Key presses carrying each character, as an input method delivers Chinese text
// (QTest::keyClicks takes ASCII only).
void type(QWidget& editBox, const QString& text) {
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, &editBox, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    }
}

void pictureCopyAgainstBareGrab(benchmark::State& state) {
    app::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the main window was not shown");
        return;
    }
    auto* box = window.control<app::PictureBox>(app::control::pictureBox);
    box->setPicture(makeFace(box->size()));
    type(*window.control<QWidget>(app::control::caption1TextBox), QStringLiteral("今天也要开心"));
    type(*window.control<QWidget>(app::control::caption2TextBox), QStringLiteral("摸鱼去了"));
    if (window.control<app::TransparentLabel>(app::control::caption2)->text() !=
        QStringLiteral("摸鱼去了")) {
        state.SkipWithError("the typed caption did not reach the picture");
        return;
    }
    QCoreApplication::processEvents();
    const QRect region = window.control<QWidget>(app::control::pictureFrame)->geometry();
    QClipboard& clipboard = *QGuiApplication::clipboard();
    PairedTimes times;

    // Bare grabs and copies alternate, so that load from elsewhere on the machine falls
    // on both alike.
    for (auto _ : state) {
        const double grabSeconds =
            secondsFor([&] { benchmark::DoNotOptimize(window.grab(region)); });
        bool copied = false;
        const double seconds = secondsFor([&] {
            const QImage picture = exporting::snapshot(window, region, box->size());
            copied = exporting::copyToClipboard(picture, clipboard);
        });
        if (!copied || clipboard.image().size() != box->size()) {
            state.SkipWithError("the picture did not reach the clipboard");
            return;
        }
        state.SetIterationTime(seconds);
        times.add(seconds, grabSeconds);
    }
    times.report(state, "copy", "grab", "vs_grab");
}
BENCHMARK(pictureCopyAgainstBareGrab)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moxilo::bench
