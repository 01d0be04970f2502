// The real program's peak memory in use: a build of it whose site is the demo site on a
// fixed loopback port, on a private Xvfb display, driven with real clicks (xdotool): load
// page 1, wait for the rows, click a row, wait for the face. Then its VmHWM, the most
// resident memory it has had. Counters: peak_mb (the largest of the runs) and, beside it,
// minimal_peak_mb, the minimal Qt Widgets program's VmHWM once its window is painted.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "first_paint.h"
#include "moxilo/app/control_table.h"
#include "moxilo/loopback/socket.h"
#include "watched_display.h"

namespace moxilo::bench {
namespace {

using namespace std::chrono_literals;

constexpr auto kSiteBound = 10s;
constexpr auto kStepBound = 20s;
constexpr double kMegabyte = 1024.0 * 1024.0;

bool acceptsConnections(std::uint16_t port) {
    const loopback::Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return socket.valid() &&
           connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

// Polls `done` until it holds or `bound` passes.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// The demo site on the port the measured build is made for; empty when it could not
// serve there (another server holds the port).
std::optional<ChildProcess> startDemoSite(const std::vector<std::string>& environment) {
    if (acceptsConnections(MOXILO_BENCH_SITE_PORT)) {
        return std::nullopt;  // whatever answers there is not ours to measure against
    }
    const std::vector<std::string> arguments = {MOXILO_BENCH_DEMO_SITE, "--port",
                                                std::to_string(MOXILO_BENCH_SITE_PORT)};
    std::optional<ChildProcess> site = ChildProcess::start(
        arguments, {.environment = environment, .standardOutput = {}, .quiet = true});
    const bool serving =
        site &&
        waitUntil(
            [&] { return !site->waitForExit(0ms) && acceptsConnections(MOXILO_BENCH_SITE_PORT); },
            kSiteBound);
    return serving ? std::move(site) : std::nullopt;
}

// A control of the main window, as a place on the screen.
ScreenArea controlOnScreen(const MappedWindow& window, std::string_view name) {
    const app::ControlGeometry geometry = app::controlEntry(name).geometry;
    ScreenArea area{window.area.x + geometry.left, window.area.y + geometry.top, geometry.width,
                    geometry.height};
    for (std::string_view parent = app::controlEntry(name).parent; !parent.empty();
         parent = app::controlEntry(parent).parent) {
        area.x += app::controlEntry(parent).geometry.left;
        area.y += app::controlEntry(parent).geometry.top;
    }
    return area;
}

// A real left click at a place on the screen.
bool click(const std::vector<std::string>& environment, int x, int y) {
    const std::vector<std::string> arguments = {
        MOXILO_BENCH_XDOTOOL, "mousemove", "--sync", std::to_string(x),
        std::to_string(y),    "click",     "1"};
    std::optional<ChildProcess> xdotool = ChildProcess::start(
        arguments, {.environment = environment, .standardOutput = {}, .quiet = true});
    return xdotool && xdotool->waitForExit(kStepBound) == 0;
}

// Text drawn in the list's item area: the rows have arrived.
bool showsRows(const XScreen& screen, const ScreenArea& list) {
    // Below the header, left of where a scroll bar may appear.
    const ScreenArea rows{list.x + 8, list.y + 40, list.width - 40, 60};
    return std::ranges::any_of(screen.pixels(rows), [](std::uint32_t pixel) {
        return (pixel >> 16 & 0xFF) < 0x60 && (pixel >> 8 & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60;
    });
}

// Loads page 1 and previews the face of a row near the top; false when a step did not happen.
bool loadAndPreview(const WatchedDisplay& display, const MappedWindow& window) {
    const XScreen& screen = display.screen();
    const std::vector<std::string>& environment = display.programEnvironment();
    const ScreenArea button = controlOnScreen(window, app::control::loadButton);
    const ScreenArea list = controlOnScreen(window, app::control::catalogueList);
    const ScreenArea picture = controlOnScreen(window, app::control::pictureBox);
    if (!click(environment, button.x + button.width / 2, button.y + button.height / 2) ||
        !waitUntil([&] { return showsRows(screen, list); }, kStepBound)) {
        return false;
    }
    const std::vector<std::uint32_t> empty = screen.pixels(picture);
    if (!click(environment, list.x + list.width / 2, list.y + 60) ||
        !waitUntil([&] { return screen.pixels(picture) != empty; }, kStepBound)) {
        return false;
    }
    // The face is shown once the picture holds still.
    std::vector<std::uint32_t> shown = screen.pixels(picture);
    return waitUntil(
        [&] {
            std::this_thread::sleep_for(100ms);
            std::vector<std::uint32_t> now = screen.pixels(picture);
            const bool still = now == shown;
            shown = std::move(now);
            return still;
        },
        kStepBound);
}

void peakMemoryAfterLoadAndPreview(benchmark::State& state) {
    WatchedDisplay display;
    if (!display.ready()) {
        state.SkipWithError("no private X display");
        return;
    }
    XScreen& screen = display.screen();
    const std::vector<std::string>& environment = display.programEnvironment();
    const std::optional<ChildProcess> site = startDemoSite(environment);
    if (!site) {
        state.SkipWithError("the demo site could not serve on its port (is another server on it?)");
        return;
    }
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::vector<std::string> program = {MOXILO_BENCH_SITE_PROGRAM};
        const std::optional<StartedProgram> started =
            startUntilPainted(screen, program, environment, kProgramTitle);
        if (!started || !loadAndPreview(display, started->window)) {
            state.SkipWithError("the program did not load the page and show the face");
            return;
        }
        peak = std::max(peak, started->process.peakResidentBytes().value_or(0));
    }
    const std::vector<std::string> minimal = {MOXILO_BENCH_MINIMAL_WINDOW};
    const std::optional<StartedProgram> baseline =
        startUntilPainted(screen, minimal, environment, MOXILO_BENCH_MINIMAL_TITLE);
    state.counters["peak_mb"] = static_cast<double>(peak) / kMegabyte;
    state.counters["minimal_peak_mb"] =
        baseline
            ? static_cast<double>(baseline->process.peakResidentBytes().value_or(0)) / kMegabyte
            : 0.0;
}
BENCHMARK(peakMemoryAfterLoadAndPreview)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moxilo::bench
