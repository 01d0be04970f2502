#include "moxilo/app/program.h"

#include <QScreen>

#include "catalogue_browser.h"
#include "face_previewer.h"
#include "moxilo/app/main_window.h"

namespace moxilo::app {

Program::Program(const catalogue::Site& site) : window_(std::make_unique<MainWindow>()) {
    new CatalogueBrowser(*window_, site, tasks_);
    new FacePreviewer(*window_, site, tasks_);
}

Program::~Program() {
    finish(std::chrono::seconds(2));
}

void Program::showCentred() {
    const QRect screen = window_->screen()->availableGeometry();
    window_->move(screen.center() - window_->rect().center());
    window_->show();
}

bool Program::finish(std::chrono::milliseconds bound) {
    window_.reset();
    return tasks_.stopAndWait(bound);
}

}  // namespace moxilo::app
