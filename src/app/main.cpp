// Start-up and shut-down of the program: one window, until it is closed.

#include <QApplication>
#include <QScreen>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "catalogue_browser.h"
#include "face_previewer.h"
#include "moxilo/app/background_tasks.h"
#include "moxilo/app/main_window.h"
#include "moxilo/catalogue/site.h"
#include "site_config.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("moxilo"));
    QApplication::setDesktopFileName(QStringLiteral("moxilo"));

    moxilo::app::BackgroundTasks tasks;  // outlives the window and what it wires
    int exitCode = 0;
    {
        moxilo::app::MainWindow window;
        const moxilo::catalogue::Site site(MOXILO_SITE_ROOT);
        new moxilo::app::CatalogueBrowser(window, site, tasks);
        new moxilo::app::FacePreviewer(window, site, tasks);
        const QRect screen = window.screen()->availableGeometry();
        window.move(screen.center() - window.rect().center());
        window.show();
        exitCode = QApplication::exec();
    }
    // Work still running is told to stop; a task that does not end within the
    // bound must not meet destroyed program state, so the process ends at once.
    if (!tasks.stopAndWait(std::chrono::seconds(2))) {
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    return exitCode;
}
