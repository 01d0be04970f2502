#pragma once
// The demo site's command line.

#include "listing_page.h"

#include <span>
#include <string>
#include <string_view>

namespace moxilo::demo_site {

struct DemoSiteOptions {
    int port;
    ListingCharset charset = ListingCharset::Utf8Declared;
    bool showHelp = false;
};

struct ParsedOptions {
    DemoSiteOptions options;
    std::string error;  // non-empty: the command line is wrong, and says how
};

// The arguments after the program name.
[[nodiscard]] ParsedOptions parseOptions(std::span<const std::string_view> arguments);

[[nodiscard]] std::string usage();

}  // namespace moxilo::demo_site
