#include "moxilo/catalogue/face_preview.h"

#include <utility>

#include "moxilo/catalogue/make_form.h"
#include "moxilo/catalogue/picture_decode.h"
#include "moxilo/net/form_client.h"
#include "moxilo/net/resource_download.h"

namespace moxilo::catalogue {

QImage previewFace(const Site& site, std::string_view itemId, net::ResourceDownloader& downloader,
                   std::stop_token stop) {
    net::FormRequest make;  // every argument but these absent
    make.url = site.makeAddress(itemId);
    make.methodIndex = 1;  // POST
    make.body = makeFormBody();
    net::FormResult ignored;
    net::submitForm(make, ignored, stop);

    const std::string address = site.pictureAddress(itemId);
    if (address.empty() || stop.stop_requested()) {
        return {};
    }
    const net::Download picture = downloader.download(address, std::move(stop));
    if (!picture.complete) {
        return {};  // a truncated picture is no picture
    }
    return decodePicture(picture.bytes);
}

}  // namespace moxilo::catalogue
