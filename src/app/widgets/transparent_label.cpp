#include "transparent_label.h"

namespace moxilo::app {

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
    setTextFormat(Qt::PlainText);  // captions show what was typed, never markup
    setMargin(0);
    setIndent(0);
    setFocusPolicy(Qt::NoFocus);
}

void TransparentLabel::setTextColour(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

QColor TransparentLabel::textColour() const { return palette().color(QPalette::WindowText); }

}  // namespace moxilo::app
