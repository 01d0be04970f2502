#include "colour_picker.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace moxilo::app {
namespace {

struct NamedColour {
    QRgb rgb;
    const char* name;  // UTF-8
};

// The classic sixteen plus two warm tones that suit captions, by name, so
// that the list reads well and screen readers can say each entry.
constexpr std::array<NamedColour, 18> kColours{{
    {0x000000, "黑色"},
    {0xFFFFFF, "白色"},
    {0xFF0000, "红色"},
    {0x00FF00, "亮绿色"},
    {0x0000FF, "蓝色"},
    {0xFFFF00, "黄色"},
    {0xFF00FF, "品红色"},
    {0x00FFFF, "青色"},
    {0xFF8000, "橙色"},
    {0xFFC0CB, "粉红色"},
    {0x808080, "灰色"},
    {0xC0C0C0, "银色"},
    {0x800000, "褐红色"},
    {0x808000, "橄榄色"},
    {0x008000, "绿色"},
    {0x008080, "蓝绿色"},
    {0x000080, "藏青色"},
    {0x800080, "紫色"},
}};

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
    // The list is filled when it first drops down, not while the window starts.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        if (menu->isEmpty()) {
            fillColourList(*menu);
        }
    });
    setMenu(menu);
    showSwatch();
}

void ColourPicker::fillColourList(QMenu& menu) {
    for (const NamedColour& entry : kColours) {
        const QColor colour = QColor::fromRgb(entry.rgb);
        menu.addAction(swatchIcon(colour, QSize(16, 16)), QString::fromUtf8(entry.name), this,
                       [this, colour] { choose(colour); });
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("其他颜色..."), this, [this] {
        const QColor colour = QColorDialog::getColor(colour_, window(), QStringLiteral("颜色"));
        if (colour.isValid()) {
            choose(colour);
        }
    });
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
