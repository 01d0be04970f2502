#pragma once
// A drop-down colour choice: a list of named common colours and an "other
// colour" entry. Reports the colour once it has become the picker's current colour.

#include <QColor>
#include <QToolButton>

class QMenu;

namespace moxilo::app {

class ColourPicker : public QToolButton {
    Q_OBJECT
public:
    explicit ColourPicker(QWidget* parent);

    [[nodiscard]] QColor colour() const { return colour_; }
    // Makes `colour` current and reports it, as a choice from the drop-down does.
    void choose(const QColor& colour);

signals:
    void colourChosen(const QColor& colour);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillColourList(QMenu& menu);
    void showSwatch();

    QColor colour_{Qt::black};
};

}  // namespace moxilo::app
