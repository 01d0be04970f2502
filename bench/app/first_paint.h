#pragma once
// Starting a program on a private display and timing it to its first paint, watched
// from outside: the moment its window, found by title when it is mapped, shows lit
// pixels on the black screen. The program needs no help: no option, no log hook.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "child_process.h"
#include "x_screen.h"

namespace moxilo::bench {

inline constexpr std::string_view kProgramTitle = "MoxiloV1.0";

struct StartedProgram {
    ChildProcess process;
    MappedWindow window;
    double secondsToFirstPaint = 0;  // from just before the start
};

// Waits until the screen is black again (a program ended before has gone), starts
// `arguments` with `environment` and waits until its window named `title` is painted.
// Empty when any step does not happen within its bound.
std::optional<StartedProgram> startUntilPainted(XScreen& screen,
                                                std::span<const std::string> arguments,
                                                std::span<const std::string> environment,
                                                std::string_view title);

}  // namespace moxilo::bench
