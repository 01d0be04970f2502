#include "watched_display.h"

namespace moxilo::bench {

WatchedDisplay::WatchedDisplay()
    : screen_(server_.display()), environment_(server_.programEnvironment()) {}

}  // namespace moxilo::bench
