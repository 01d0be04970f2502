#pragma once
// The demo catalogue site: listing pages, the make page and the picture store
// of the face catalogue, served on the loopback address only.

#include "listing_page.h"

#include <httplib.h>

#include <system_error>

namespace moxilo::demo_site {

inline constexpr const char* kLoopbackAddress = "127.0.0.1";
inline constexpr int kDefaultPort = 8377;
// Nothing the site accepts comes near this; larger bodies are refused unread.
inline constexpr std::size_t kMaxRequestBody = 1024 * 1024;

struct BindResult {
    int port = 0;
    std::error_code error;  // set when nothing was bound
};

class DemoServer {
public:
    explicit DemoServer(ListingCharset charset);

    // Binds the loopback address at `port`, 0 for any free port. A port that
    // another server listens on, a second demo site included, is an error.
    [[nodiscard]] BindResult bind(int port);
    // Serves until stop(); only after a successful bind.
    void run();
    // True once run() is serving.
    [[nodiscard]] bool running() const;
    // From any thread once running() is true; run() then returns.
    void stop();

private:
    httplib::Server server_;
};

}  // namespace moxilo::demo_site
