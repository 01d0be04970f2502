#pragma once
// Our own move and sizing loop for child widgets: while the left button is
// held, the target follows the pointer (all of it, or the sides its grip
// names); the loop ends on release or when the pointer grab is lost.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

#include "moxilo/captions/handles.h"

namespace moxilo::app {

class CaptionDrag : public QObject {
    Q_OBJECT
public:
    explicit CaptionDrag(QObject* parent);

    // `grabber` takes the mouse; `target` follows from where it was at the press.
    // `finished` runs once the loop has ended.
    void start(QWidget* grabber, QWidget* target, captions::HandleSide grip, QPoint pressGlobal,
               std::function<void()> finished);
    [[nodiscard]] bool active() const { return !grabber_.isNull(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QPoint pointerGlobal);
    void finish();

    QPointer<QWidget> grabber_;
    QPointer<QWidget> target_;
    captions::HandleSide grip_ = captions::HandleSide::None;
    QPoint pressGlobal_;
    QRect atPress_;
    std::function<void()> finished_;
};

}  // namespace moxilo::app
