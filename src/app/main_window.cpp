#include "moxilo/app/main_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "caption_selection.h"
#include "caption_styling.h"
#include "moxilo/app/chinese_face.h"
#include "moxilo/captions/handles.h"
#include "moxilo/export/picture_copy.h"
#include "widgets/catalogue_list.h"
#include "widgets/colour_picker.h"
#include "widgets/period_timer.h"
#include "widgets/picture_box.h"
#include "widgets/progress_meter.h"
#include "widgets/transparent_label.h"
#include "widgets/up_down_control.h"

namespace moxilo::app {
namespace {

constexpr int kCaptionFontHeight = -20;  // characters 20 pixels high

QString qstring(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Qt::CursorShape cursorShape(captions::CursorKind cursor) {
    switch (cursor) {
        case captions::CursorKind::DiagonalNwSe:
            return Qt::SizeFDiagCursor;
        case captions::CursorKind::DiagonalNeSw:
            return Qt::SizeBDiagCursor;
        case captions::CursorKind::Horizontal:
            return Qt::SizeHorCursor;
        case captions::CursorKind::Vertical:
            return Qt::SizeVerCursor;
    }
    return Qt::ArrowCursor;
}

QWidget* createCaption(QWidget* parent) {
    auto* caption = new TransparentLabel(parent);
    caption->setFont(inChineseFace(caption->font()));
    caption->setFontHeight(kCaptionFontHeight);
    caption->setWordWrap(true);
    caption->setMouseTracking(true);
    return caption;
}

QWidget* createHandle(QWidget* parent, const ControlEntry& entry) {
    auto* handle = new TransparentLabel(parent);
    handle->setText(qstring(entry.text));
    handle->setTextColour(QColor(0, 0, 255));
    const auto offset = entry.id - controlEntry(control::topLeftHandle).id;
    handle->setCursor(
        cursorShape(captions::handleTraits(static_cast<captions::HandleId>(offset)).cursor));
    return handle;
}

QWidget* createEditBox(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(std::numeric_limits<int>::max());  // no length limit
    return edit;
}

QWidget* createPushButton(QWidget* parent, const ControlEntry& entry) {
    auto* button = new QPushButton(qstring(entry.text), parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QWidget* createGroupBox(QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setFlat(false);
    return frame;
}

QWidget* createWidget(const ControlEntry& entry, QWidget* parent) {
    switch (entry.kind) {
        case ControlKind::PushButton:
            return createPushButton(parent, entry);
        case ControlKind::CheckBox:
            return new QCheckBox(qstring(entry.text), parent);
        case ControlKind::UpDown:
            return new UpDownControl(parent);
        case ControlKind::Caption:
            return createCaption(parent);
        case ControlKind::Handle:
            return createHandle(parent, entry);
        case ControlKind::ColourPicker:
            return new ColourPicker(parent);
        case ControlKind::EditBox:
            return createEditBox(parent);
        case ControlKind::GroupBox:
            return createGroupBox(parent);
        case ControlKind::PictureBox:
            return new PictureBox(parent);
        case ControlKind::ListView:
            return new CatalogueList(parent);
        case ControlKind::ProgressBar:
            return new ProgressMeter(parent);
        case ControlKind::Timer:
            break;
    }
    std::abort();  // timers are not widgets
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("MoxiloV1.0"));
    setFocusPolicy(Qt::ClickFocus);
    keepClientSizeFixed();
    createControls();
    redirectEvents();
    new CaptionStyling(*this);
    new CaptionSelection(*this);
    connect(control<QPushButton>(control::aboutButton), &QPushButton::clicked, this,
            &MainWindow::showAbout);
    connect(control<QPushButton>(control::copyButton), &QPushButton::clicked, this,
            &MainWindow::copyPicture);
}

void MainWindow::createControls() {
    for (const ControlEntry& entry : controlTable()) {
        QObject* object = nullptr;
        if (entry.kind == ControlKind::Timer) {
            object = new PeriodTimer(this);
        } else {
            auto* parent = entry.parent.empty() ? this : control<QWidget>(entry.parent);
            QWidget* widget = createWidget(entry, parent);
            widget->setGeometry(entry.geometry.left, entry.geometry.top, entry.geometry.width,
                                entry.geometry.height);
            widget->setVisible(entry.visible);
            widget->setEnabled(entry.enabled);
            widget->setAccessibleName(entry.text.empty() ? qstring(entry.name)
                                                         : qstring(entry.text));
            widget->setAccessibleDescription(qstring(entry.name));
            if (entry.kind == ControlKind::Caption || entry.kind == ControlKind::Handle ||
                entry.kind == ControlKind::GroupBox || entry.kind == ControlKind::PictureBox) {
                widget->installEventFilter(this);
            }
            object = widget;
        }
        object->setObjectName(qstring(entry.name));
        controls_.emplace(entry.name, object);
        addresses_.emplace(object, entry.address());
    }
    // The first control of the template lies on top of the stacking order.
    const auto table = controlTable();
    // NOLINTNEXTLINE(modernize-loop-convert): backwards, without range adaptors
    for (auto entry = table.rbegin(); entry != table.rend(); ++entry) {
        if (auto* widget = control<QWidget>(entry->name)) {
            widget->raise();
        }
    }
}

void MainWindow::redirectEvents() {
    router_.redirect(controlEntry(control::caption2).address(),
                     controlEntry(control::caption1).address());
    const ControlAddress topLeft = controlEntry(control::topLeftHandle).address();
    for (std::uint32_t k = 1; k < control::kHandleCount; ++k) {
        router_.redirect({topLeft.window, topLeft.control + k}, topLeft);
    }
}

void MainWindow::keepClientSizeFixed() {
    setFixedSize(kClientWidth, kClientHeight);
}

QObject* MainWindow::control(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

QWidget* MainWindow::widgetAt(ControlAddress address) const {
    const auto table = controlTable();
    const auto found = std::ranges::find(table, address, &ControlEntry::address);
    return found == table.end() ? nullptr : control<QWidget>(found->name);
}

ControlAddress MainWindow::addressOf(const QObject* object) const {
    const auto found = addresses_.find(object);
    return found == addresses_.end() ? ControlAddress{} : found->second;
}

QWidget* MainWindow::handle(int offset) const {
    const ControlAddress topLeft = controlEntry(control::topLeftHandle).address();
    return widgetAt({topLeft.window, topLeft.control + static_cast<std::uint32_t>(offset)});
}

// The picture frame as the screen shows it, captions and visible handles
// included, at the picture box's size.
void MainWindow::copyPicture() {
    const QImage picture =
        exporting::snapshot(*this, control<QWidget>(control::pictureFrame)->geometry(),
                            control<QWidget>(control::pictureBox)->size());
    exporting::copyToClipboard(picture, *QGuiApplication::clipboard());
}

void MainWindow::showAbout() {
    QMessageBox about(QMessageBox::Information, QStringLiteral("关于"),
                      QStringLiteral("MoxiloV1.0\n"
                                     "浏览表情目录，为表情配上两行文字，复制后粘贴到聊天窗口。\n"
                                     "版本 1.0.0"),
                      QMessageBox::Ok);
    about.setWindowModality(Qt::ApplicationModal);
    about.exec();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto found = addresses_.find(watched);
    if (found == addresses_.end()) {
        return QWidget::eventFilter(watched, event);
    }
    const ControlAddress address = found->second;
    // Captions and handles raise their events through the router; the picture
    // frame and the picture box count as the window's background.
    const bool isLabel = qobject_cast<TransparentLabel*>(watched) != nullptr;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
                return false;
            }
            if (isLabel) {
                pressPosition_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                router_.raise(address, ControlEvent::LeftButtonPressed);
            } else {
                emit backgroundPressed();
            }
            return true;
        }
        case QEvent::MouseMove:
            if (isLabel) {
                router_.raise(address, ControlEvent::MouseMoved);
            }
            return false;
        default:
            return false;
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Presses that a control left unhandled bubble up here: only the client
    // area where no control lies counts.
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) {
        emit backgroundPressed();
    }
    QWidget::mousePressEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event->key(), event->modifiers());
    QWidget::keyPressEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    // Not resizable by dragging, yet maximisable: the size constraint is
    // lifted only while maximised. Controls keep their places either way.
    if (isMaximized()) {
        setMinimumSize(kClientWidth, kClientHeight);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        keepClientSizeFixed();
    }
}

}  // namespace moxilo::app
