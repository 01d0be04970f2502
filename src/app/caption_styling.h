#pragma once
// Copies what the styling controls report into the two captions, the moment
// they report it: text, colour, size steps and boldness.

#include <QObject>

namespace moxilo::app {

class MainWindow;
class TransparentLabel;

class CaptionStyling : public QObject {
    Q_OBJECT
public:
    explicit CaptionStyling(MainWindow& window);

private:
    static void stepSize(TransparentLabel& caption, int arrowArgument);
};

}  // namespace moxilo::app
