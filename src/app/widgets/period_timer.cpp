#include "period_timer.h"

#include <algorithm>

namespace moxilo::app {

PeriodTimer::PeriodTimer(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &PeriodTimer::elapsed);
}

void PeriodTimer::setPeriod(int milliseconds) {
    const int period = std::max(milliseconds, 0);
    if (period == period_) {
        return;
    }
    period_ = period;
    timer_.stop();
    if (period > 0) {
        timer_.start(period);
    }
}

}  // namespace moxilo::app
