#include "x_session.h"

#include <QRect>
#include <QThread>

#include <gtest/gtest.h>

#include <X11/Xlib.h>

namespace moxilo::e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartBound = 20s;

int milliseconds(std::chrono::milliseconds bound) {
    return static_cast<int>(bound.count());
}

}  // namespace

QByteArray runCommand(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment, std::chrono::milliseconds bound) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(milliseconds(bound))) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << ": did not finish";
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << ": exit " << process.exitCode() << ": "
                      << process.readAllStandardError().toStdString();
    }
    return process.readAllStandardOutput();
}

namespace {

// Starts a shell command that prints one line (a display number, a bus
// address) once it is ready; returns that line.
QString startAndRead(QProcess& process, const QString& command) {
    process.setProgram(QStringLiteral("sh"));
    process.setArguments({QStringLiteral("-c"), command});
    process.start();
    QByteArray line;
    while (!line.contains('\n') && process.waitForReadyRead(milliseconds(kStartBound))) {
        line += process.readAllStandardOutput();
    }
    return QString::fromLocal8Bit(line.trimmed());
}

void stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}

}  // namespace

XSession::XSession() {
    // Xvfb picks a free display itself and writes its number to the given fd.
    const QString number = startAndRead(
        server_,
        QStringLiteral("exec Xvfb -displayfd 1 -nolisten tcp -screen 0 1024x768x24 2>/dev/null"));
    if (number.isEmpty()) {
        ADD_FAILURE() << "Xvfb did not start";
        return;
    }
    display_ = QStringLiteral(":") + number;
    bus_ = startAndRead(
        busDaemon_,
        QStringLiteral("exec dbus-daemon --session --nofork --print-address 2>/dev/null"));
    if (bus_.isEmpty()) {
        ADD_FAILURE() << "dbus-daemon did not start";
    }
}

XSession::~XSession() {
    stop(busDaemon_);
    stop(server_);
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_);
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

QByteArray XSession::xdotool(const QStringList& arguments) const {
    return runCommand(QStringLiteral("xdotool"), arguments, environment());
}

QImage XSession::screenshot() const {
    const QByteArray png = runCommand(QStringLiteral("import"),
                                      {QStringLiteral("-silent"), QStringLiteral("-window"),
                                       QStringLiteral("root"), QStringLiteral("png:-")},
                                      environment());
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

RunningProgram::RunningProgram(const XSession& session, const QString& program)
    : session_(session) {
    process_.setProcessEnvironment(session.environment());
    process_.start(program, {});
    if (!process_.waitForStarted(milliseconds(kStartBound))) {
        ADD_FAILURE() << "the program did not start";
        return;
    }
    const QByteArray found = runCommand(
        QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
         QStringLiteral("--name"), QStringLiteral("^MoxiloV1\\.0$")},
        session.environment(), kStartBound);
    windowId_ = QString::fromLatin1(found.split('\n').value(0).trimmed());
    if (windowId_.isEmpty()) {
        ADD_FAILURE() << "the window did not appear";
        return;
    }
    const QByteArray shell = session.xdotool(
        {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId_});
    int x = 0;
    int y = 0;
    for (const QByteArray& line : shell.split('\n')) {
        if (line.startsWith("X=")) {
            x = line.mid(2).toInt();
        } else if (line.startsWith("Y=")) {
            y = line.mid(2).toInt();
        }
    }
    origin_ = QPoint(x, y);
    QThread::msleep(500);  // the first paint
}

RunningProgram::~RunningProgram() {
    stop(process_);
}

QStringList RunningProgram::at(QPoint client) const {
    const QPoint screen = origin_ + client;
    return {QStringLiteral("mousemove"), QString::number(screen.x()), QString::number(screen.y())};
}

void RunningProgram::click(QPoint client) const {
    session_.xdotool(at(client));
    session_.xdotool({QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(150);
}

void RunningProgram::drag(QPoint fromClient, QPoint toClient) const {
    session_.xdotool(at(fromClient));
    session_.xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    constexpr int kSteps = 5;
    for (int step = 1; step <= kSteps; ++step) {
        session_.xdotool(at(fromClient + (toClient - fromClient) * step / kSteps));
        QThread::msleep(30);
    }
    session_.xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    QThread::msleep(200);
}

void RunningProgram::type(const QString& text) const {
    session_.xdotool(
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
    QThread::msleep(150);
}

void RunningProgram::key(const QString& keys) const {
    session_.xdotool(
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} +
        keys.split(QLatin1Char(' ')));
    QThread::msleep(150);
}

std::optional<int> RunningProgram::close(std::chrono::milliseconds bound) {
    Display* display = XOpenDisplay(session_.display().toLocal8Bit().constData());
    if (display == nullptr) {
        ADD_FAILURE() << "cannot open the display";
        return std::nullopt;
    }
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = windowId_.toULong();
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, message.xclient.window, False, NoEventMask, &message);
    XFlush(display);
    XCloseDisplay(display);
    if (!process_.waitForFinished(milliseconds(bound))) {
        return std::nullopt;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QByteArray RunningProgram::errors() {
    return process_.readAllStandardError();
}

QImage RunningProgram::shot() const {
    return session_.screenshot().copy(QRect(origin_, QSize(513, 353)));
}

}  // namespace moxilo::e2e
