#pragma once
// Two arrow buttons without a companion box; every press of an arrow reports
// +1 (up) or -1 (down). It keeps no number of its own.

#include <QWidget>

namespace moxilo::app {

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent);

signals:
    void arrowPressed(int delta);
};

}  // namespace moxilo::app
