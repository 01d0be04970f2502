#pragma once
// A click in the catalogue list previews the selected face in the picture
// box. The exchanges run on a worker so the window never freezes; the box
// shows the result of the latest click only.

#include <QObject>

#include <cstdint>
#include <memory>

#include "moxilo/app/interface_mailbox.h"
#include "moxilo/catalogue/site.h"

class QImage;

namespace moxilo::net {
class ResourceDownloader;
}

namespace moxilo::app {

class BackgroundTasks;
class MainWindow;

class FacePreviewer : public QObject {
    Q_OBJECT
public:
    FacePreviewer(MainWindow& window, catalogue::Site site, BackgroundTasks& tasks);
    ~FacePreviewer() override;
    FacePreviewer(const FacePreviewer&) = delete;
    FacePreviewer& operator=(const FacePreviewer&) = delete;

private:
    void preview();
    void show(std::uint64_t click, QImage picture);

    MainWindow& window_;
    const catalogue::Site site_;
    BackgroundTasks& tasks_;
    // One for the life of the program, so downloads share the connection.
    std::shared_ptr<net::ResourceDownloader> downloader_;
    SharedMailbox mailbox_;
    std::uint64_t latestClick_ = 0;
};

}  // namespace moxilo::app
