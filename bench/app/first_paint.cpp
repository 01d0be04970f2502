#include "first_paint.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace moxilo::bench {
namespace {

using namespace std::chrono_literals;

constexpr auto kBlankBound = 5s;
constexpr auto kPaintBound = 30s;
constexpr auto kPollPause = 200us;
// The square at the window's centre that is watched for the first paint: small, so
// that watching costs the machine next to nothing.
constexpr int kWatchedSide = 16;

bool lit(const std::vector<std::uint32_t>& pixels) {
    return std::ranges::any_of(pixels, [](std::uint32_t pixel) { return pixel != 0; });
}

bool waitUntilBlank(const XScreen& screen) {
    const auto deadline = std::chrono::steady_clock::now() + kBlankBound;
    while (lit(screen.pixels(screen.bounds()))) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

ScreenArea centreOf(const ScreenArea& area) {
    const int side = std::min({kWatchedSide, area.width, area.height});
    return {area.x + (area.width - side) / 2, area.y + (area.height - side) / 2, side, side};
}

}  // namespace

std::optional<StartedProgram> startUntilPainted(XScreen& screen,
                                                std::span<const std::string> arguments,
                                                std::span<const std::string> environment,
                                                std::string_view title) {
    if (!waitUntilBlank(screen)) {
        return std::nullopt;
    }
    screen.forgetMappedWindows();
    const auto start = std::chrono::steady_clock::now();
    std::optional<ChildProcess> process = ChildProcess::start(
        arguments, {.environment = environment, .standardOutput = {}, .quiet = true});
    if (!process) {
        return std::nullopt;
    }
    std::optional<MappedWindow> window;
    while (std::chrono::steady_clock::now() - start < kPaintBound && !process->waitForExit(0ms)) {
        if (!window) {
            window = screen.mappedWindowNamed(title);
        }
        if (window && lit(screen.pixels(centreOf(window->area)))) {
            const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
            return StartedProgram{std::move(*process), *window, seconds.count()};
        }
        std::this_thread::sleep_for(kPollPause);
    }
    return std::nullopt;
}

}  // namespace moxilo::bench
