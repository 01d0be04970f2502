// Start-up and shut-down of the program: one window, until it is closed.

#include <QApplication>
#include <QClipboard>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "moxilo/app/chinese_face.h"
#include "moxilo/app/program.h"
#include "moxilo/export/clipboard_handover.h"
#include "site_config.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("moxilo"));
    QApplication::setDesktopFileName(QStringLiteral("moxilo"));
    QApplication::setFont(moxilo::app::withChineseFallback(QApplication::font()));

    moxilo::app::Program program(moxilo::catalogue::Site(MOXILO_SITE_ROOT));
    program.showCentred();
    const int exitCode = QApplication::exec();
    // The window is closed. A picture the program still has on the clipboard
    // goes to the keeper now, before anything below can end the process.
    moxilo::exporting::handOverClipboardPicture(
        *QApplication::clipboard(),
        QApplication::applicationDirPath() + QLatin1Char('/') +
            QLatin1String(moxilo::exporting::kClipboardKeeperName),
        std::chrono::seconds(5));
    // Work still running is told to stop; a task that does not end within the
    // bound must not meet destroyed program state, so the process ends at once.
    if (!program.finish(std::chrono::seconds(2))) {
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    return exitCode;
}
