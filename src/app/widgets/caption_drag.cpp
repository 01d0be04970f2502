#include "caption_drag.h"

#include <QGuiApplication>
#include <QMouseEvent>

#include <utility>

#include "moxilo/captions/drag.h"

namespace moxilo::app {

CaptionDrag::CaptionDrag(QObject* parent) : QObject(parent) {
    // Another window taking the pointer or the focus ends the loop, as losing
    // the mouse capture ends the system's loops.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive && active()) {
                    finish();
                }
            });
}

void CaptionDrag::start(QWidget* grabber, QWidget* target, captions::HandleSide grip,
                        QPoint pressGlobal, std::function<void()> finished) {
    if (active()) {
        finish();
    }
    grabber_ = grabber;
    target_ = target;
    grip_ = grip;
    pressGlobal_ = pressGlobal;
    atPress_ = target->geometry();
    finished_ = std::move(finished);
    grabber->installEventFilter(this);
    grabber->grabMouse();
}

bool CaptionDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grabber_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseMove:
            follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
                finish();
            }
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;  // the loop owns the mouse until the release
        case QEvent::Hide:
            finish();
            return false;
        default:
            return false;
    }
}

void CaptionDrag::follow(QPoint pointerGlobal) {
    if (target_.isNull()) {
        return;
    }
    const QRect& from = atPress_;
    const captions::Rect moved = captions::draggedRect(
        {from.x(), from.y(), from.width(), from.height()}, grip_,
        {pressGlobal_.x(), pressGlobal_.y()}, {pointerGlobal.x(), pointerGlobal.y()});
    target_->setGeometry(moved.left, moved.top, moved.width, moved.height);
}

void CaptionDrag::finish() {
    if (!grabber_.isNull()) {
        grabber_->removeEventFilter(this);
        grabber_->releaseMouse();
    }
    grabber_.clear();
    target_.clear();
    if (auto finished = std::exchange(finished_, nullptr)) {
        finished();
    }
}

}  // namespace moxilo::app
