#include "moxilo/export/clipboard_handover.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>

namespace moxilo::exporting {

bool handOverClipboardPicture(QClipboard& clipboard, const QString& keeperProgram,
                              std::chrono::milliseconds bound) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !clipboard.ownsClipboard()) {
        return false;
    }
    const QImage picture = clipboard.image();
    // The picture travels as PNG through a private temporary file that the
    // keeper reads as its standard input: the keeper is started detached, so
    // it outlives the program, and a detached start offers no pipe.
    QTemporaryFile file;
    if (picture.isNull() || !file.open() || !picture.save(&file, "PNG") || !file.flush()) {
        return false;
    }
    QProcess keeper;
    keeper.setProgram(keeperProgram);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Not a client of the session manager: a later login must not restart it.
    environment.remove(QStringLiteral("SESSION_MANAGER"));
    keeper.setProcessEnvironment(environment);
    keeper.setStandardInputFile(file.fileName());
    keeper.setStandardOutputFile(QProcess::nullDevice());
    if (!keeper.startDetached()) {
        return false;
    }
    // The keeper has the picture once the X server has made it the owner.
    // Until then paste requests still reach this program, so it keeps
    // answering them while it waits.
    const QDeadlineTimer deadline(bound);
    while (clipboard.ownsClipboard() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return !clipboard.ownsClipboard();
}

}  // namespace moxilo::exporting
