#pragma once
// A label whose background is not painted, so that whatever lies beneath it
// shows through. It draws plain text (never markup) in its own colour and font,
// either wrapped at word boundaries from the top, or on one line.

#include <QColor>
#include <QWidget>

namespace moxilo::app {

class TransparentLabel : public QWidget {
    Q_OBJECT
public:
    explicit TransparentLabel(QWidget* parent);

    void setText(const QString& text);
    [[nodiscard]] const QString& text() const { return text_; }

    void setTextColour(const QColor& colour);
    [[nodiscard]] QColor textColour() const { return colour_; }

    // Wrapped text starts at the top; a single line is centred vertically.
    void setWordWrap(bool on);
    [[nodiscard]] bool wordWrap() const { return wordWrap_; }

    // The logical font height: negative is the character height in pixels,
    // 0 the font system's default height.
    void setFontHeight(int height);
    [[nodiscard]] int fontHeight() const { return fontHeight_; }
    void setBold(bool bold);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintWrapped(QPainter& painter) const;

    QString text_;
    QColor colour_{Qt::black};
    bool wordWrap_ = false;
    int fontHeight_ = 0;
};

}  // namespace moxilo::app
