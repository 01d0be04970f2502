#include "colour_picker.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

#include <algorithm>
#include <array>

namespace moxilo::app {
namespace {

constexpr int kGridColumns = 8;

// The classic sixteen plus a few warm and cool tones that suit captions.
constexpr std::array<QRgb, 24> kColours{
    0x000000, 0x808080, 0x800000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080,
    0xFFFFFF, 0xC0C0C0, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF,
    0xFF8000, 0xFFC0CB, 0xA52A2A, 0xFFD700, 0x90EE90, 0x87CEEB, 0x4B0082, 0xEE82EE,
};

QIcon swatchIcon(const QColor& colour, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pixmap);
}

}  // namespace

ColourPicker::ColourPicker(QWidget* parent) : QToolButton(parent) {
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto* menu = new QMenu(this);

    auto* grid = new QWidget(menu);
    auto* layout = new QGridLayout(grid);
    layout->setSpacing(2);
    layout->setContentsMargins(4, 4, 4, 4);
    for (std::size_t i = 0; i < kColours.size(); ++i) {
        const QColor colour = QColor::fromRgb(kColours[i]);
        auto* cell = new QToolButton(grid);
        cell->setIcon(swatchIcon(colour, QSize(16, 16)));
        cell->setAutoRaise(true);
        cell->setAccessibleName(colour.name());
        connect(cell, &QToolButton::clicked, this, [this, menu, colour] {
            menu->close();
            choose(colour);
        });
        const int index = static_cast<int>(i);
        layout->addWidget(cell, index / kGridColumns, index % kGridColumns);
    }
    auto* gridAction = new QWidgetAction(menu);
    gridAction->setDefaultWidget(grid);
    menu->addAction(gridAction);
    menu->addSeparator();
    menu->addAction(QStringLiteral("其他颜色..."), this, [this] {
        const QColor colour = QColorDialog::getColor(colour_, window(), QStringLiteral("颜色"));
        if (colour.isValid()) {
            choose(colour);
        }
    });
    setMenu(menu);
    showSwatch();
}

void ColourPicker::choose(const QColor& colour) {
    colour_ = colour.toRgb();
    colour_.setAlpha(255);  // the picker offers no transparent choice
    showSwatch();
    emit colourChosen(colour_);
}

void ColourPicker::resizeEvent(QResizeEvent* event) {
    QToolButton::resizeEvent(event);
    showSwatch();
}

void ColourPicker::showSwatch() {
    const QSize swatch(std::max(width() - 24, 16), std::max(height() - 10, 8));
    setIconSize(swatch);
    setIcon(swatchIcon(colour_, swatch));
}

}  // namespace moxilo::app
