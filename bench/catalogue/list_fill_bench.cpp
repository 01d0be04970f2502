// The interface thread while a shown catalogue list takes a page of 10,000 rows: the
// list is cleared, the rows go in as the catalogue browser hands them over, and the list
// repaints. A 1 ms timer ticks throughout; its longest gap between two ticks is the
// longest stall the user could feel. Counters: stall_ms (median over iterations) and
// worst_stall_ms, beside idle_gap_ms, the longest gap of the same timer over the same
// span with no work, which is what the machine alone costs.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "face_titles.h"
#include "moxilo/bench/run_timing.h"
#include "widgets/catalogue_list.h"

namespace moxilo::bench {
namespace {

constexpr std::size_t kRows = 10'000;
constexpr int kTickMilliseconds = 1;
// After the repaint the timer runs on this long, so that work Qt defers (layout,
// scroll bars, further paints) is caught too.
constexpr qint64 kSettleMilliseconds = 100;
constexpr int kGiveUpMilliseconds = 10'000;

std::vector<app::CatalogueRow> makeRows() {
    std::vector<app::CatalogueRow> rows;
    rows.reserve(kRows);
    for (std::size_t item = 0; item < kRows; ++item) {
        rows.push_back(
            {QString::number(30'000 + item * 3), QString::fromStdString(faceTitleUtf8(item))});
    }
    return rows;
}

// Counts the paints that reach a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    [[nodiscard]] int paints() const { return paints_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints_;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int paints_ = 0;
};

// Runs the event loop with a 1 ms timer ticking until `done` says so after a tick (or
// the bound passes) and gives the longest gap between two ticks, in milliseconds; a
// negative value when the bound passed.
template <typename Done>
double longestTickGap(Done&& done) {
    QEventLoop loop;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTickMilliseconds);
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    bool timedOut = false;
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
        if (done(now / 1'000'000)) {
            loop.quit();
        }
    });
    QTimer::singleShot(kGiveUpMilliseconds, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    clock.start();
    ticker.start();
    loop.exec();
    return timedOut ? -1.0 : static_cast<double>(longestGap) / 1e6;
}

void listFillStall(benchmark::State& state) {
    app::CatalogueList list(nullptr);
    list.resize(224, 264);
    list.show();
    const PaintCounter painted(*list.viewport());
    app::CatalogueModel& model = list.catalogue();
    std::vector<double> stalls;
    std::vector<double> idleGaps;

    for (auto _ : state) {
        // The idle span: as long as a fill takes plus the settling time.
        const double idle =
            longestTickGap([](qint64 elapsed) { return elapsed >= kSettleMilliseconds; });
        std::vector<app::CatalogueRow> rows = makeRows();
        int paintsBefore = 0;
        qint64 filledAt = -1;
        qint64 paintedAt = -1;
        const double stall = longestTickGap([&](qint64 elapsed) {
            if (filledAt < 0) {
                // The first tick hands the rows over, as the browser's finished load does.
                paintsBefore = painted.paints();
                model.clear();
                model.appendRows(std::move(rows));
                filledAt = elapsed;
            } else if (paintedAt < 0 && painted.paints() > paintsBefore) {
                paintedAt = elapsed;
            }
            return paintedAt >= 0 && elapsed - paintedAt >= kSettleMilliseconds;
        });
        if (stall < 0 || model.rows().size() != kRows) {
            state.SkipWithError("the list did not take the rows and repaint in time");
            return;
        }
        idleGaps.push_back(idle);
        stalls.push_back(stall);
        state.SetIterationTime(stall / 1e3);
    }
    state.counters["stall_ms"] = median(stalls);
    state.counters["worst_stall_ms"] = *std::ranges::max_element(stalls);
    state.counters["idle_gap_ms"] = median(idleGaps);
}
BENCHMARK(listFillStall)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moxilo::bench
