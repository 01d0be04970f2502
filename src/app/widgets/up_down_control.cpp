#include "up_down_control.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace moxilo::app {
namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(name);
    button->setAutoRepeat(true);  // holding an arrow keeps stepping, as spinners do
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

}  // namespace

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = arrowButton(this, Qt::UpArrow, QStringLiteral("up"));
    auto* down = arrowButton(this, Qt::DownArrow, QStringLiteral("down"));
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { emit arrowPressed(1); });
    connect(down, &QToolButton::clicked, this, [this] { emit arrowPressed(-1); });
}

}  // namespace moxilo::app
