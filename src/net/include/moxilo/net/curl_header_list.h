#pragma once
// Owns a libcurl header list (curl_slist) built from a CR LF header block, so that
// the request carries exactly the block's lines in the block's order.

#include <curl/curl.h>

#include <memory>
#include <optional>
#include <string_view>

namespace moxilo::net {

class CurlHeaderList {
public:
    // One entry per line of `block` (lines joined by CR LF, a final CR LF allowed), plus
    // entries that keep libcurl from adding an Accept, Expect or Content-Type header of
    // its own. Empty when a line is not "Name: value" (a name of visible ASCII characters
    // other than ":", a value without CR, LF or NUL).
    static std::optional<CurlHeaderList> fromBlock(std::string_view block);

    curl_slist* get() const { return list_.get(); }

private:
    struct Free {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    bool append(const char* line);

    std::unique_ptr<curl_slist, Free> list_;
};

}  // namespace moxilo::net
