#include "caption_selection.h"

#include "moxilo/app/main_window.h"
#include "moxilo/captions/arrow_keys.h"
#include "moxilo/captions/handle_layout.h"
#include "widgets/caption_drag.h"

namespace moxilo::app {
namespace {

captions::Rect toRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

int virtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return captions::virtual_key::kLeft;
        case Qt::Key_Up:
            return captions::virtual_key::kUp;
        case Qt::Key_Right:
            return captions::virtual_key::kRight;
        case Qt::Key_Down:
            return captions::virtual_key::kDown;
        default:
            return 0;
    }
}

unsigned modifierBits(Qt::KeyboardModifiers modifiers) {
    unsigned bits = 0;
    if (modifiers.testFlag(Qt::ControlModifier)) {
        bits |= captions::kCtrlBit;
    }
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        bits |= captions::kShiftBit;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        bits |= captions::kAltBit;
    }
    return bits;
}

}  // namespace

CaptionSelection::CaptionSelection(MainWindow& window)
    : QObject(&window), window_(window), drag_(new CaptionDrag(this)) {
    EventRouter& router = window.router();
    const ControlAddress caption1 = controlEntry(control::caption1).address();
    const ControlAddress topLeft = controlEntry(control::topLeftHandle).address();
    router.setHandler(caption1, ControlEvent::LeftButtonPressed, [this] { pressCaption(); });
    router.setHandler(caption1, ControlEvent::MouseMoved, [this] { layOutHandles(); });
    router.setHandler(topLeft, ControlEvent::LeftButtonPressed, [this] { pressHandle(); });
    connect(&window, &MainWindow::backgroundPressed, this, &CaptionSelection::hideHandles);
    connect(&window, &MainWindow::keyPressed, this, &CaptionSelection::pressKey);
}

void CaptionSelection::layOutHandles() {
    ProgramState& state = window_.state();
    QWidget* caption = window_.widgetAt(state.selectedCaption);
    if (caption == nullptr || state.handlesShown) {
        return;
    }
    captions::HandleSizes sizes{};
    for (std::size_t offset = 0; offset < captions::kHandleCount; ++offset) {
        const QSize size = window_.handle(static_cast<int>(offset))->size();
        sizes[offset] = {size.width(), size.height()};
    }
    for (const captions::HandlePlacement& placement :
         captions::layOutHandles(toRect(caption->geometry()), sizes)) {
        QWidget* handle = window_.handle(static_cast<int>(placement.handle));
        if (placement.topLeft) {
            handle->move(placement.topLeft->x, placement.topLeft->y);
            handle->show();
            handle->raise();
        } else {
            handle->hide();
        }
    }
    state.handlesShown = true;
}

void CaptionSelection::hideHandles() {
    for (int offset = 0; offset < control::kHandleCount; ++offset) {
        window_.handle(offset)->hide();
    }
}

void CaptionSelection::layOutAfresh() {
    window_.state().handlesShown = false;
    layOutHandles();
}

void CaptionSelection::pressCaption() {
    const ControlAddress source = window_.router().eventSource();
    QWidget* caption = window_.widgetAt(source);
    window_.state().selectedCaption = source;
    caption->raise();
    window_.setFocus(Qt::MouseFocusReason);  // so the arrow keys work at once
    drag_->start(caption, caption, captions::kMoveGrip, window_.pressPosition(),
                 [this] { layOutAfresh(); });
}

void CaptionSelection::pressHandle() {
    const ControlAddress source = window_.router().eventSource();
    ProgramState& state = window_.state();
    state.pressedHandle = source;
    QWidget* caption = window_.widgetAt(state.selectedCaption);
    if (caption == nullptr) {
        return;  // handles show only around a selected caption
    }
    const auto offset = source.control - controlEntry(control::topLeftHandle).id;
    const captions::HandleSide grip =
        captions::handleTraits(static_cast<captions::HandleId>(offset)).sides;
    window_.setFocus(Qt::MouseFocusReason);
    drag_->start(window_.widgetAt(source), caption, grip, window_.pressPosition(),
                 [this] { layOutAfresh(); });
}

void CaptionSelection::pressKey(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* caption = window_.widgetAt(window_.state().selectedCaption);
    if (caption == nullptr || !window_.handle(0)->isVisible()) {
        return;
    }
    const auto nudged =
        captions::nudgedRect(toRect(caption->geometry()), virtualKey(key), modifierBits(modifiers));
    if (!nudged) {
        return;
    }
    caption->setGeometry(nudged->left, nudged->top, nudged->width, nudged->height);
    layOutAfresh();
}

}  // namespace moxilo::app
