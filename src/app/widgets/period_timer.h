#pragma once
// A timer driven by its period in milliseconds: 0 means stopped.

#include <QObject>
#include <QTimer>

namespace moxilo::app {

class PeriodTimer : public QObject {
    Q_OBJECT
public:
    explicit PeriodTimer(QObject* parent);

    // Negative counts as 0; the period it already has changes nothing;
    // otherwise the timer restarts with the new period (or stays stopped at 0).
    void setPeriod(int milliseconds);
    [[nodiscard]] int period() const { return period_; }

signals:
    void elapsed();

private:
    QTimer timer_;
    int period_ = 0;
};

}  // namespace moxilo::app
