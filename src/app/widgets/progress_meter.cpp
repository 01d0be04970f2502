#include "progress_meter.h"

#include <algorithm>

namespace moxilo::app {

ProgressMeter::ProgressMeter(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 10);
    setValue(0);
    setTextVisible(false);
    setOrientation(Qt::Horizontal);
}

void ProgressMeter::setPosition(int position) {
    position_ = position;
    setValue(std::clamp(position, minimum(), maximum()));
}

}  // namespace moxilo::app
