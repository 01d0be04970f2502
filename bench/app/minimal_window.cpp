// The start-up benchmark's baseline: the smallest Qt Widgets program with a window like
// the real one, built with the same flags: a window of the main window's client size,
// centred on the screen, holding one push button.

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "moxilo/app/control_table.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral(MOXILO_BENCH_MINIMAL_TITLE));
    window.resize(moxilo::app::kClientWidth, moxilo::app::kClientHeight);
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    button->setGeometry(8, 8, 80, 32);
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
