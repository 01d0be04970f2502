#pragma once
// The limits the form client and the resource download keep to, so that no server
// can hold a call for ever or fill the memory with one response.

#include <chrono>
#include <cstddef>

#include "moxilo/net/curl_easy.h"

namespace moxilo::net {

// Connecting, waiting for the next byte while nothing moves, and the whole exchange
// (which still ends a server that trickles).
inline constexpr Timeouts kTransferTimeouts{.connect = std::chrono::seconds(30),
                                            .idle = std::chrono::seconds(60),
                                            .total = std::chrono::minutes(10)};
// Largest response body accepted; a larger one gives the empty result.
inline constexpr std::size_t kMaxTransferBodyBytes = std::size_t{64} << 20;
// Redirects followed at most, over http and https only.
inline constexpr long kMaxTransferRedirects = 10;

}  // namespace moxilo::net
