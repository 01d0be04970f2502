#include "progress_meter.h"

#include <algorithm>

namespace moxilo::app {

ProgressMeter::ProgressMeter(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 10);
    setValue(0);
    setTextVisible(false);
    setOrientation(Qt::Horizontal);
    setAlignment(Qt::AlignCenter);
}

void ProgressMeter::setPosition(int position) {
    position_ = position;
    setValue(std::clamp(position, minimum(), maximum()));
}

void ProgressMeter::showFailure(const QString& text) {
    setFormat(text);
    setTextVisible(!text.isEmpty());
}

}  // namespace moxilo::app
