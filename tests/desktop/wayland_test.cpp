// The program as a native Wayland client: weston on a private Xvfb (its X11
// backend gives the compositor a seat with a pointer and a keyboard, which
// copy and paste need; the headless backend has none), the program with the
// Wayland platform and no X display, real input through weston's window, and
// the copy read back with wl-paste at once.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "desktop_support.h"
#include "x_session.h"

namespace moxilo::e2e {
namespace {

using namespace std::chrono_literals;

constexpr QSize kScreen(1024, 768);
// kiosk-shell centres a window that keeps its own size.
const QPoint kOrigin((1024 - 513) / 2, (768 - 353) / 2);
const QRect kPictureFrame(232, 42, 280, 220);
const QRect kCaption2(232, 217, 200, 24);
constexpr QPoint kCaption2TextBox(112 + 90, 306 + 12);
constexpr QPoint kCopyButton(376 + 32, 276 + 16);
const QString kSocket = QStringLiteral("moxilo-test");

class WaylandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.ready());
        ASSERT_TRUE(runtime.isValid());
        QProcessEnvironment environment = session.environment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        compositor.setProcessEnvironment(environment);
        compositor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        compositor.setStandardOutputFile(QProcess::nullDevice());
        compositor.start(
            QStringLiteral("weston"),
            {QStringLiteral("--backend=x11-backend.so"), QStringLiteral("--use-pixman"),
             QStringLiteral("--shell=kiosk-shell.so"), QStringLiteral("--no-config"),
             QStringLiteral("--idle-time=0"), QStringLiteral("--socket=") + kSocket,
             QStringLiteral("--width=%1").arg(kScreen.width()),
             QStringLiteral("--height=%1").arg(kScreen.height()),
             QStringLiteral("--log=") + runtime.filePath(QStringLiteral("weston.log"))});
        ASSERT_TRUE(compositor.waitForStarted(10'000));
        ASSERT_TRUE(
            desktop_test::eventually([&] { return QFile::exists(runtime.filePath(kSocket)); }, 20s))
            << "weston did not open its socket";
    }

    void TearDown() override {
        desktop_test::stop(program);
        desktop_test::stop(compositor);
    }

    // Wayland clients see the compositor only: no X display to fall back to.
    [[nodiscard]] QProcessEnvironment waylandEnvironment() const {
        QProcessEnvironment environment = session.environment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        return environment;
    }

    // Weston's output as its X11 window shows it.
    [[nodiscard]] QImage output() const {
        return session.screenshot().copy(QRect(QPoint(0, 0), kScreen));
    }

    void click(QPoint client) const {
        const QPoint at = kOrigin + client;
        session.xdotool(
            {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        session.xdotool({QStringLiteral("click"), QStringLiteral("1")});
    }

    [[nodiscard]] std::optional<QImage> paste() const {
        return desktop_test::pastedPicture(QStringLiteral("wl-paste"),
                                           {QStringLiteral("--type"), QStringLiteral("image/png")},
                                           waylandEnvironment());
    }

    XSession session;
    QTemporaryDir runtime;  // private (0700), as XDG_RUNTIME_DIR must be
    QProcess compositor;
    QProcess program;
};

TEST_F(WaylandTest, TheProgramRunsNativelyAndItsCopyPastesAtOnce) {
    program.setProcessEnvironment(waylandEnvironment());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(MOXILO_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted(10'000));
    // The window's light face shows where kiosk-shell centres it.
    ASSERT_TRUE(desktop_test::eventually(
        [&] { return qGray(output().pixel(kOrigin + QPoint(300, 330))) > 200; }, 20s))
        << "no window on weston's output";
    ASSERT_EQ(program.state(), QProcess::Running);

    click(kCaption2TextBox);
    session.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"),
                     QStringLiteral("Wayland")});
    QThread::msleep(300);
    click(kCopyButton);
    // The click reaches the program through weston while wl-paste starts: a
    // paste may come before the copy, never long after it.
    std::optional<QImage> pasted;
    ASSERT_TRUE(desktop_test::eventually([&] { return (pasted = paste()).has_value(); }, 10s))
        << "copied, yet nothing to paste";
    ASSERT_EQ(pasted->size(), kPictureFrame.size());

    const QImage frame = output().copy(kPictureFrame.translated(kOrigin));
    EXPECT_EQ(desktop_test::differingPixels(*pasted, frame, 8), 0)
        << "the copy is the frame as the screen shows it";
    EXPECT_GT(
        desktop_test::darkPixels(pasted->copy(kCaption2.translated(-kPictureFrame.topLeft()))), 20)
        << "the typed caption is in the copy";
}

}  // namespace
}  // namespace moxilo::e2e
