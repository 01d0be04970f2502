#pragma once
// Selecting, moving and resizing the captions: the eight handles around the
// selected caption, the drag loops started by a press on a caption or a
// handle, and the arrow keys.

#include <QObject>

namespace moxilo::app {

class CaptionDrag;
class MainWindow;

class CaptionSelection : public QObject {
    Q_OBJECT
public:
    explicit CaptionSelection(MainWindow& window);

    // Places and shows the handles around the selected caption, unless no
    // caption is selected or they are laid out already.
    void layOutHandles();
    void hideHandles();

private:
    void pressCaption();
    void pressHandle();
    void pressKey(int key, Qt::KeyboardModifiers modifiers);
    void layOutAfresh();

    MainWindow& window_;
    CaptionDrag* drag_;
};

}  // namespace moxilo::app
