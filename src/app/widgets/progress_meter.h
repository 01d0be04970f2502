#pragma once
// A smooth progress bar that keeps positions above its maximum and shows them
// as full (QProgressBar itself ignores values outside its range).

#include <QProgressBar>

namespace moxilo::app {

class ProgressMeter : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressMeter(QWidget* parent);

    void setPosition(int position);
    [[nodiscard]] int position() const { return position_; }

    // A short text over the bar (a failed load says so); empty shows none.
    void showFailure(const QString& text);

private:
    int position_ = 0;
};

}  // namespace moxilo::app
