#pragma once
// End-to-end test support: a private Xvfb display, the real program on it,
// real input through the X server (xdotool) and screenshots of the screen.

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>

// Readable QStrings in GoogleTest's messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace moxilo::e2e {

// Runs a command to its end (bounded) and returns its standard output; a
// failure to start, a time-out or a non-zero exit is reported as a test failure.
QByteArray runCommand(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment,
                      std::chrono::milliseconds bound = std::chrono::seconds(20));

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    [[nodiscard]] bool ready() const { return !display_.isEmpty() && !bus_.isEmpty(); }
    [[nodiscard]] const QString& display() const { return display_; }
    // The environment for programs on this display (X11 platform, no offscreen),
    // with a session bus of its own that carries the accessibility bridge.
    [[nodiscard]] QProcessEnvironment environment() const;

    QByteArray xdotool(const QStringList& arguments) const;
    [[nodiscard]] QImage screenshot() const;

private:
    QProcess server_;
    QProcess busDaemon_;
    QString display_;
    QString bus_;
};

// The program under test, started on a session and ended with it.
class RunningProgram {
public:
    RunningProgram(const XSession& session, const QString& program);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    [[nodiscard]] bool ready() const { return !windowId_.isEmpty(); }
    // The top-left corner of the window's client area on the screen.
    [[nodiscard]] QPoint origin() const { return origin_; }

    // Real pointer input at client coordinates.
    void click(QPoint client) const;
    void drag(QPoint fromClient, QPoint toClient) const;
    void type(const QString& text) const;
    void key(const QString& keys) const;
    // The window's client area as shown on the screen.
    [[nodiscard]] QImage shot() const;
    // Asks the window to close, as a window manager's close button does
    // (WM_DELETE_WINDOW), and waits at most `bound` for the program to end.
    // The program's exit code, or nullopt when it did not end in time.
    std::optional<int> close(std::chrono::milliseconds bound);
    // What the program wrote to its standard error so far.
    [[nodiscard]] QByteArray errors();

private:
    [[nodiscard]] QStringList at(QPoint client) const;

    const XSession& session_;
    QProcess process_;
    QString windowId_;
    QPoint origin_;
};

}  // namespace moxilo::e2e
