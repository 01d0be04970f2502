#include "transparent_label.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace moxilo::app {

TransparentLabel::TransparentLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void TransparentLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    update();
}

void TransparentLabel::setTextColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void TransparentLabel::setWordWrap(bool on) {
    wordWrap_ = on;
    update();
}

void TransparentLabel::setFontHeight(int height) {
    fontHeight_ = height;
    QFont font = this->font();
    if (height < 0) {
        font.setPixelSize(-height);
    } else {
        font.setPointSizeF(QApplication::font().pointSizeF());
    }
    setFont(font);
}

void TransparentLabel::setBold(bool bold) {
    QFont font = this->font();
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    setFont(font);
}

void TransparentLabel::paintEvent(QPaintEvent* /*event*/) {
    if (text_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(colour_);
    painter.setFont(font());
    if (wordWrap_) {
        paintWrapped(painter);
    } else {
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
    }
}

// Lays out only the lines that can show, so a caption stays cheap to draw
// however much text is pasted into it.
void TransparentLabel::paintWrapped(QPainter& painter) const {
    QTextLayout layout(text_, font(), painter.device());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    qreal y = 0;
    while (y < height()) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width());
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    layout.draw(&painter, QPointF(0, 0));
}

}  // namespace moxilo::app
