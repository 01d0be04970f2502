#include "face_previewer.h"

#include <QImage>

#include <utility>

#include "moxilo/app/background_tasks.h"
#include "moxilo/app/main_window.h"
#include "moxilo/catalogue/face_preview.h"
#include "moxilo/net/resource_download.h"
#include "moxilo/text/codec.h"
#include "widgets/catalogue_list.h"
#include "widgets/picture_box.h"

namespace moxilo::app {

FacePreviewer::FacePreviewer(MainWindow& window, catalogue::Site site, BackgroundTasks& tasks)
    : QObject(&window),
      window_(window),
      site_(std::move(site)),
      tasks_(tasks),
      downloader_(std::make_shared<net::ResourceDownloader>()),
      mailbox_(std::make_shared<InterfaceMailbox>(this)) {
    connect(window.control<CatalogueList>(control::catalogueList), &CatalogueList::itemAreaClicked,
            this, &FacePreviewer::preview);
}

FacePreviewer::~FacePreviewer() {
    mailbox_->close();
}

// Every click submits and downloads afresh, also for the face already shown.
void FacePreviewer::preview() {
    const auto* list = window_.control<CatalogueList>(control::catalogueList);
    const int row = list->selectedRow();
    const QString itemId =
        row < 0 ? QString() : list->catalogue().rows()[static_cast<std::size_t>(row)].itemId;
    const std::uint64_t click = ++latestClick_;
    // `this` is used only in work the mailbox delivers, which never outlives it.
    tasks_.start([this, site = site_, id = text::fromWide(itemId.toStdU16String()), click,
                  downloader = downloader_, mailbox = mailbox_](std::stop_token stop) {
        QImage picture = catalogue::previewFace(site, id, *downloader, std::move(stop));
        mailbox->post([this, click, picture = std::move(picture)]() mutable {
            show(click, std::move(picture));
        });
    });
}

void FacePreviewer::show(std::uint64_t click, QImage picture) {
    if (click != latestClick_) {
        return;  // a later click owns the picture box now
    }
    auto* box = window_.control<PictureBox>(control::pictureBox);
    box->setPicture(std::move(picture));
    box->lower();
}

}  // namespace moxilo::app
