#include "demo_server.h"

#include "catalogue_data.h"
#include "face_picture.h"
#include "form_fields.h"
#include "make_form_check.h"

#include <sys/socket.h>

#include <cerrno>
#include <string>

namespace moxilo::demo_site {
namespace {

constexpr const char* kHtmlUtf8 = "text/html; charset=utf-8";

// The library's own default also sets SO_REUSEPORT, with which a second site
// would share the port silently instead of failing to bind.
void reuseAddressOnly(socket_t socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

void serveListing(const httplib::Request& request, httplib::Response& response,
                  ListingCharset charset) {
    const int pageNumber = listingPageNumber(queryValue(request.target, "pn").value_or(""));
    const ListingPage page = renderListingPage(pageNumber, charset);
    response.set_content(page.body, page.contentType);
}

void serveMake(const httplib::Request& request, httplib::Response& response) {
    const auto face = findDemoFace(queryValue(request.target, "id").value_or(""));
    if (!face) {
        response.status = 404;
        response.set_content("<p>没有这个表情</p>", kHtmlUtf8);
        return;
    }
    if (const auto problem = makeFormProblem(request.body)) {
        response.status = 400;
        // Plain text: the problem quotes field names as they were posted.
        response.set_content("表单无效: " + *problem + "\n", "text/plain; charset=utf-8");
        return;
    }
    const std::string picture = "store/face/" + storeFolder(face->id) + "/make.jpg";
    response.set_content(
        "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"></head><body>"
        "<p>已生成</p><img src=\"" +
            picture + "\" /></body></html>\r\n",
        kHtmlUtf8);
}

void servePicture(const httplib::Request& request, httplib::Response& response) {
    const auto face = faceInStoreFolder(request.matches[1].str());
    if (!face) {
        response.status = 404;
        return;
    }
    const std::string jpeg = drawFacePicture(face->id);
    if (jpeg.empty()) {
        response.status = 500;
        return;
    }
    response.set_content(jpeg, "image/jpeg");
}

}  // namespace

DemoServer::DemoServer(ListingCharset charset) {
    server_.set_socket_options(reuseAddressOnly);
    server_.set_payload_max_length(kMaxRequestBody);
    server_.Get(R"(/face/ListWithImage\.aspx)",
                [charset](const httplib::Request& request, httplib::Response& response) {
                    serveListing(request, response, charset);
                });
    server_.Post(R"(/face/make\.aspx)", serveMake);
    server_.Get(R"(/face/store/face/([^/]*)/make\.jpg)", servePicture);
}

BindResult DemoServer::bind(int port) {
    errno = 0;
    if (port == 0) {
        const int bound = server_.bind_to_any_port(kLoopbackAddress);
        if (bound > 0) {
            return {bound, {}};
        }
    } else if (server_.bind_to_port(kLoopbackAddress, port)) {
        return {port, {}};
    }
    const int failure = errno != 0 ? errno : EADDRNOTAVAIL;
    return {port, std::error_code(failure, std::generic_category())};
}

void DemoServer::run() {
    server_.listen_after_bind();
}

bool DemoServer::running() const {
    return server_.is_running();
}

void DemoServer::stop() {
    server_.stop();
}

}  // namespace moxilo::demo_site
