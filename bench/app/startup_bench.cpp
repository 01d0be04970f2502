// Start-up of the real program to its first painted window, against a minimal Qt
// Widgets program built the same way, both started in turn on one private Xvfb display
// in the same run. Each start is timed from just before the process starts to the
// first lit pixels of its window (see first_paint.h). Counters: vs_minimal is the
// program's median start over the minimal program's; program_ms and minimal_ms.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "first_paint.h"
#include "moxilo/bench/run_timing.h"
#include "watched_display.h"

namespace moxilo::bench {
namespace {

// The start to the first paint, the process ended right after; empty when it failed.
std::optional<double> timeToFirstPaint(WatchedDisplay& display, const std::string& program,
                                       std::string_view title) {
    const std::vector<std::string> arguments = {program};
    const std::optional<StartedProgram> started =
        startUntilPainted(display.screen(), arguments, display.programEnvironment(), title);
    if (!started) {
        return std::nullopt;
    }
    return started->secondsToFirstPaint;
}

void startToFirstPaint(benchmark::State& state) {
    WatchedDisplay display;
    if (!display.ready()) {
        state.SkipWithError("no private X display");
        return;
    }
    const auto program = [&] {
        return timeToFirstPaint(display, MOXILO_BENCH_PROGRAM, kProgramTitle);
    };
    const auto minimal = [&] {
        return timeToFirstPaint(display, MOXILO_BENCH_MINIMAL_WINDOW, MOXILO_BENCH_MINIMAL_TITLE);
    };
    // One untimed start of each first, so that neither pays alone for reading its files
    // from disk.
    if (!program() || !minimal()) {
        state.SkipWithError("a program did not paint its window");
        return;
    }
    PairedTimes times;

    for (auto _ : state) {
        const std::optional<double> baseline = minimal();
        const std::optional<double> real = program();
        if (!baseline || !real) {
            state.SkipWithError("a program did not paint its window");
            return;
        }
        times.add(*real, *baseline);
        state.SetIterationTime(*real);
    }
    times.report(state, "program", "minimal", "vs_minimal");
}
BENCHMARK(startToFirstPaint)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moxilo::bench
