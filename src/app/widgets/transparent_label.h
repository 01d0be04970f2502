#pragma once
// A label whose background is not painted, so that whatever lies beneath it
// shows through; text drawn in its own colour and font, as plain text.

#include <QColor>
#include <QLabel>

namespace moxilo::app {

class TransparentLabel : public QLabel {
    Q_OBJECT
public:
    explicit TransparentLabel(QWidget* parent);

    void setTextColour(const QColor& colour);
    [[nodiscard]] QColor textColour() const;
};

}  // namespace moxilo::app
