#include "catalogue_browser.h"

#include <QPushButton>

#include <utility>

#include "catalogue_rows.h"
#include "moxilo/app/background_tasks.h"
#include "moxilo/app/main_window.h"
#include "moxilo/catalogue/page_load.h"
#include "moxilo/catalogue/paging.h"
#include "widgets/period_timer.h"
#include "widgets/progress_meter.h"

namespace moxilo::app {
namespace {

constexpr int kTickMilliseconds = 1000;
constexpr int kFullProgress = 10;

}  // namespace

CatalogueBrowser::CatalogueBrowser(MainWindow& window, catalogue::Site site, BackgroundTasks& tasks)
    : QObject(&window),
      window_(window),
      site_(std::move(site)),
      tasks_(tasks),
      mailbox_(std::make_shared<InterfaceMailbox>(this)) {
    connect(window.control<QPushButton>(control::loadButton), &QPushButton::clicked, this,
            &CatalogueBrowser::startLoad);
    connect(window.control<QPushButton>(control::nextPageButton), &QPushButton::clicked, this,
            &CatalogueBrowser::pressNext);
    connect(window.control<QPushButton>(control::previousPageButton), &QPushButton::clicked, this,
            &CatalogueBrowser::pressPrevious);
    connect(window.control<PeriodTimer>(control::progressTimer), &PeriodTimer::elapsed, this,
            &CatalogueBrowser::tick);
}

CatalogueBrowser::~CatalogueBrowser() {
    mailbox_->close();
}

void CatalogueBrowser::pressNext() {
    ++window_.state().pageNumber;
    startLoad();
}

void CatalogueBrowser::pressPrevious() {
    int& pageNumber = window_.state().pageNumber;
    --pageNumber;
    startLoad();
    if (catalogue::disablePreviousAfter(pageNumber)) {
        window_.control<QWidget>(control::previousPageButton)->setEnabled(false);
    }
}

// Each press loads the page its page number names at that moment; a later
// press makes the results of earlier loads stale.
void CatalogueBrowser::startLoad() {
    window_.control<ProgressMeter>(control::progressBar)->setPosition(0);
    window_.control<PeriodTimer>(control::progressTimer)->setPeriod(kTickMilliseconds);
    int& pageNumber = window_.state().pageNumber;
    pageNumber = catalogue::pageToLoad(pageNumber);
    const std::uint64_t load = ++latestLoad_;
    // `this` is used only in work the mailbox delivers, which never outlives it.
    tasks_.start([this, site = site_, pageNumber, load, mailbox = mailbox_](std::stop_token stop) {
        LoadedPage page = loadPage(site, pageNumber, std::move(stop));
        mailbox->post(
            [this, load, page = std::move(page)]() mutable { finishLoad(load, std::move(page)); });
    });
}

// On the worker: fetch, decode, extract, and make the rows ready to show.
CatalogueBrowser::LoadedPage CatalogueBrowser::loadPage(const catalogue::Site& site, int pageNumber,
                                                        std::stop_token stop) {
    const catalogue::PageLoad load = catalogue::loadListingPage(site, pageNumber, std::move(stop));
    LoadedPage page;
    page.rows = catalogueRows(load.items);
    if (load.failure) {
        page.failure = QStringLiteral("读取失败：") + qstringFromText(*load.failure);
    }
    return page;
}

void CatalogueBrowser::finishLoad(std::uint64_t load, LoadedPage page) {
    if (load != latestLoad_) {
        return;  // a later press owns the list now
    }
    auto& list = window_.control<CatalogueList>(control::catalogueList)->catalogue();
    list.clear();
    list.appendRows(std::move(page.rows));
    auto* progress = window_.control<ProgressMeter>(control::progressBar);
    progress->setPosition(kFullProgress);
    progress->showFailure(page.failure.value_or(QString()));
    window_.control<PeriodTimer>(control::progressTimer)->setPeriod(0);
    const catalogue::PagingButtons paging = catalogue::pagingAfterLoad(window_.state().pageNumber);
    if (paging.enableNext) {
        window_.control<QWidget>(control::nextPageButton)->setEnabled(true);
    }
    if (paging.enablePrevious) {
        window_.control<QWidget>(control::previousPageButton)->setEnabled(true);
    }
    // Both captions above the picture frame, caption 2 above caption 1.
    window_.control<QWidget>(control::caption1)->raise();
    window_.control<QWidget>(control::caption2)->raise();
}

void CatalogueBrowser::tick() {
    auto* progress = window_.control<ProgressMeter>(control::progressBar);
    progress->setPosition(progress->position() + 1);
}

}  // namespace moxilo::app
