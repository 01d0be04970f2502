#pragma once
// Previewing a face: ask the site to render it (the make form), then fetch
// the rendered picture from the store. Blocking: it runs on a worker thread.

#include <QImage>

#include <stop_token>
#include <string_view>

#include "moxilo/catalogue/site.h"

namespace moxilo::net {
class ResourceDownloader;
}

namespace moxilo::catalogue {

// The picture of the item, or a null image (the box then shows none): no
// picture address for the id, a failed or truncated download, bytes that are
// no picture. The make form's own outcome does not matter.
QImage previewFace(const Site& site, std::string_view itemId, net::ResourceDownloader& downloader,
                   std::stop_token stop);

}  // namespace moxilo::catalogue
