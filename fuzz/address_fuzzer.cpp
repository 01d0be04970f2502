// The addresses the clients are given: the form client's own parsing into host, port
// and path, and the page client's step to the URL libcurl requests. Both end up in a
// request line, so what they hand on must never break it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "moxilo/net/form_address.h"
#include "page_url.h"

namespace {

using moxilo::fuzz::require;
namespace net = moxilo::net;

bool isControlOrSpace(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

// Nothing may split the request line or a header. Bytes outside ASCII may stay in the
// host alone, which libcurl turns into its ASCII (IDN) form before it connects.
bool safeInRequest(std::string_view url) {
    const std::size_t target = url.find_first_of("/?#", url.find("://") + 3);
    const std::string_view path = url.substr(std::min(target, url.size()));
    return std::none_of(url.begin(), url.end(), isControlOrSpace) &&
           std::all_of(path.begin(), path.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void checkFormAddress(std::string_view url) {
    const std::optional<net::FormAddress> address = net::parseFormAddress(url);
    if (!address) {
        return;
    }
    require(!address->host.empty(), "an address has a host");
    require(address->port >= 0, "a port is never negative");
    require(address->path.starts_with('/'), "a path starts with a slash");
    require(address->path.find('#') == std::string::npos, "the fragment stays behind");
}

void checkRequestUrl(std::string_view url) {
    const std::optional<std::string> requested = net::requestUrl(url);
    if (!requested) {
        return;
    }
    require(requested->starts_with("http://") || requested->starts_with("https://"),
            "only http and https are requested");
    require(safeInRequest(*requested), "the URL fits in a request");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view url = moxilo::fuzz::asText(data, size);
    checkFormAddress(url);
    checkRequestUrl(url);
    return 0;
}
