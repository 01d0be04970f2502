#pragma once
// The catalogue buttons, the progress bar and its timer, and the list: each
// press loads a page on a worker thread; the list shows the latest press only.

#include <QObject>

#include <cstdint>

#include <QString>

#include <optional>
#include <stop_token>
#include <vector>

#include "moxilo/app/interface_mailbox.h"
#include "moxilo/catalogue/site.h"
#include "widgets/catalogue_list.h"

namespace moxilo::app {

class BackgroundTasks;
class MainWindow;

class CatalogueBrowser : public QObject {
    Q_OBJECT
public:
    CatalogueBrowser(MainWindow& window, catalogue::Site site, BackgroundTasks& tasks);
    ~CatalogueBrowser() override;
    CatalogueBrowser(const CatalogueBrowser&) = delete;
    CatalogueBrowser& operator=(const CatalogueBrowser&) = delete;

private:
    void pressNext();
    void pressPrevious();
    void startLoad();
    struct LoadedPage {
        std::vector<CatalogueRow> rows;
        std::optional<QString> failure;
    };
    static LoadedPage loadPage(const catalogue::Site& site, int pageNumber, std::stop_token stop);
    void finishLoad(std::uint64_t load, LoadedPage page);
    void tick();

    MainWindow& window_;
    const catalogue::Site site_;
    BackgroundTasks& tasks_;
    SharedMailbox mailbox_;
    std::uint64_t latestLoad_ = 0;
};

}  // namespace moxilo::app
