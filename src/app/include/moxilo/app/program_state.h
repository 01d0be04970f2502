#pragma once
// The little state that outlives a single event. Used on the interface thread only.

#include "moxilo/app/control_address.h"

namespace moxilo::app {

struct ProgramState {
    // Catalogue pages count from 1; 0 means nothing has been loaded yet.
    int pageNumber = 0;
    // The caption last pressed; none before the first press.
    ControlAddress selectedCaption;
    // True once the handles have been laid out for the selected caption's
    // current state; it does not say whether they are visible.
    bool handlesShown = false;
    // The handle being pressed, within one press.
    ControlAddress pressedHandle;
};

}  // namespace moxilo::app
